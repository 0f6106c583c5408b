#pragma once

class QApplication;

namespace netedit {

// What the whole program shares, set up once before the window exists: the style with its
// tooltip timing, the program's name and icon, and the toolkit's texts in Japanese.
void SetUpProgram(QApplication& app);
// The toolkit's own texts (the file dialogs, the standard buttons) in Japanese, as the program's
// own are, whatever the user's locale; in English only where the translations are not installed.
void UseJapaneseToolkitTexts();

} // namespace netedit
