#!/bin/sh
# Fails when the library exports anything but its factory and the type
# information of its interfaces.
set -eu
library=$1
symbols=$(nm -D --defined-only "$library" | awk '{ print $3 }')
echo "$symbols" | grep -qx 'CreateCloudConfigManager' || { echo "CreateCloudConfigManager is not exported"; exit 1; }
unexpected=$(echo "$symbols" | grep -vxE 'CreateCloudConfigManager|_ZT[IS][0-9]+I[A-Za-z]+' || true)
if [ -n "$unexpected" ]; then
  echo "unexpected exports:"
  echo "$unexpected"
  exit 1
fi
