// The captions file applied to one window only. The settings window applies
// the whole file while it is created, before the About window exists; the
// About window takes its own lines through this when it is created.
#pragma once

#include "catalogue/captions_table.h"
#include "ui/app_windows.h"

// Applies the lines of IMAGES/language2.txt whose targets lie in `window`.
// Says nothing when the file is missing: the whole application has reported it.
void ApplyCaptionsFileTo(AppWindows& app, vemu::catalogue::CaptionWindow window);
