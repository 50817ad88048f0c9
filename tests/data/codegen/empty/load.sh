#!/bin/sh
# Kyv Generated shell script
cd "$(dirname "$0")" || exit 1
'C:/FlexProp/bin/loadp2' -T -k -b 230400 'Demo.binary'
