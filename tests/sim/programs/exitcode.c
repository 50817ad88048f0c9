// Prints a line and leaves with exit status 7.
#include <stdio.h>

int main(void) {
  printf("leaving with 7\n");
  return 7;
}
