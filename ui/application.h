// The application object of Vornell: the program's name, version and desktop
// entry, and the toolkit's own texts (message-box buttons, the edit menu) in
// Simplified Chinese like the rest of the interface, whatever the system's
// language.
#pragma once

#include <QApplication>

namespace vornell::ui {

class Application final : public QApplication {
  Q_OBJECT

 public:
  Application(int& argc, char** argv);
};

}  // namespace vornell::ui
