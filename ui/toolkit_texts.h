// The toolkit's own texts (message box buttons and the like) in Simplified
// Chinese, like the rest of the interface, whatever the system's language.
#pragma once

class QCoreApplication;

namespace vornell::ui {

// Loads Qt's Simplified Chinese translation into `app`. Returns false, and
// leaves the toolkit's English texts, when the translation is not installed.
bool installChineseToolkitTexts(QCoreApplication& app);

}  // namespace vornell::ui
