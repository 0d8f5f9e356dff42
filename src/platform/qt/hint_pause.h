// How long a tool hint stays up once shown.
#pragma once

class QApplication;

namespace vemu::platform {

// Makes every tool hint of the application stay up for `milliseconds`.
void SetHintHidePause(QApplication& application, int milliseconds);

}  // namespace vemu::platform
