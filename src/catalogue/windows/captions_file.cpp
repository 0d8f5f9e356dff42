// The captions file: IMAGES/language2.txt applied to every window.
#include "catalogue/windows/settings_window.h"

void TForm3::LoadLanguageFile() {}
