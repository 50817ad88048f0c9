#!/bin/sh
# Kyv Generated shell script
cd "$(dirname "$0")" || exit 1
'C:/FlexProp/bin/flexspin' -2 'Demo.spin2'
