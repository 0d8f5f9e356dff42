#!/usr/bin/env bash
# Installs what building and testing need on Debian 12 (run as root).
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends \
  ca-certificates cmake make g++ clang libclang-rt-14-dev \
  qt6-base-dev libgl-dev libjpeg-dev libgtest-dev libbenchmark-dev \
  fonts-dejavu-core xvfb xauth
