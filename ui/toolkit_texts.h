// The toolkit's own texts (message box buttons and the like) in Simplified
// Chinese, like the rest of the interface, whatever the system's language.
#pragma once

class QCoreApplication;

namespace vornell::ui {

// Loads Qt's Simplified Chinese translation, compiled into the program, into
// `app`. Returns false, leaving the toolkit's English texts, if it cannot.
bool installChineseToolkitTexts(QCoreApplication& app);

}  // namespace vornell::ui
