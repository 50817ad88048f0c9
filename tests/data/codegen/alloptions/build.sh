#!/bin/sh
# Kyv Generated shell script
cd "$(dirname "$0")" || exit 1
'C:/FlexProp/bin/flexspin' -2 -L 'C:/FlexProp/include' '-O2' '--fixed' '--fcache=200' 'Demo.spin2'
