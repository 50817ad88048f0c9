#!/bin/sh
# Kyv Generated shell script
cd "$(dirname "$0")" || exit 1
'C:/FlexProp/bin/loadp2' -T -k -9 'C:/FlexProp/Plan9' -b '115200' '-SINGLE' 'Demo.binary'
