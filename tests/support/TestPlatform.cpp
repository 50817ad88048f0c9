#include "TestPlatform.h"
