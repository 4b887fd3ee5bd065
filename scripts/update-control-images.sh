#!/usr/bin/env bash
# Redraws the control images (display/tests/data/control/*.png and
# editor/app/tests/data/control/*.png) after an intended change of how the maps, the playback
# or the plot look. Review the new pictures before committing them: from then on the tests
# compare every picture against them.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
cmake --build "$BUILD_DIR" -j"$(nproc)" --target talvo_display_ui_tests talvo_editor_app_tests
QT_QPA_PLATFORM=offscreen TALVO_UPDATE_CONTROL_IMAGES=1 \
    "$BUILD_DIR/bin/talvo_display_ui_tests" --gtest_filter='ArterialPictures.*'
QT_QPA_PLATFORM=offscreen TALVO_UPDATE_CONTROL_IMAGES=1 \
    "$BUILD_DIR/bin/talvo_editor_app_tests" --gtest_filter='EditorPictures.*'
git status --short display/tests/data/control editor/app/tests/data/control
