#!/usr/bin/env bash
# Installs what building and testing need on Debian 12 (run as root).
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends \
  ca-certificates cmake make g++ clang libclang-rt-14-dev \
  qt6-base-dev libgl-dev libjpeg-dev libxcb1-dev pkg-config libgtest-dev libbenchmark-dev \
  fonts-dejavu-core xvfb xauth imagemagick locales
# A locale with a decimal comma, for the tests that make sure files ignore it.
sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
locale-gen >/dev/null
