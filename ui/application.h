// The application object: the program's name, version and desktop entry, and
// the toolkit's own texts in Simplified Chinese whatever the system's language.
#pragma once

#include <QApplication>

namespace vornell::ui {

class Application final : public QApplication {
  Q_OBJECT

 public:
  Application(int& argc, char** argv);
};

}  // namespace vornell::ui
