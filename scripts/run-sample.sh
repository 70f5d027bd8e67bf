#!/usr/bin/env bash
# Builds the command-line program and examines the bundled sample ROM. The
# ROM is copied under build/ first, since the output is written beside it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh cmake g++ make
cmake -S . -B build -DBYTEGLEANER_TESTS=OFF > /dev/null
cmake --build build -j "$(nproc)" --target bytegleaner-cli
mkdir -p build/sample
cp samples/sample.sms build/sample/sample.sms
./build/bytegleaner-cli build/sample/sample.sms
echo
echo "Source written to build/sample/sample.sms.asm; binary data files beside it:"
ls -l build/sample
