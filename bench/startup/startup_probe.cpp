// A Qt "generic" plugin that measures how long a Qt Widgets program takes
// from its start to its first painted frame, without any change to the
// program: Qt loads generic plugins named in the QT_QPA_GENERIC_PLUGINS
// environment variable (looked up under "generic/" of QT_PLUGIN_PATH) while
// the QGuiApplication is being constructed. The probe then installs an
// application-wide event filter.
//
// Environment (set by startup_driver.py):
//   VORNELL_STARTUP_T0_NS    CLOCK_MONOTONIC in ns, taken by the driver just
//                            before it started the program
//   VORNELL_STARTUP_PROBE_OUT file to write the result to
//
// Result, one line: "loaded_ns=A first_paint_ns=B frame_ns=C widget=NAME",
// times since T0: A when the plugin was created (inside the QApplication
// constructor), B when the first widget paint event arrived, C when the event
// that caused it has been handled completely, that is when the whole first
// frame of the window has been painted. The probe then quits the event loop.
#include <QtGui/qgenericplugin.h>
#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QObject>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

long long monotonicNs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<long long>(ts.tv_sec) * 1'000'000'000LL + ts.tv_nsec;
}

long long startNs() {
  const char* text = std::getenv("VORNELL_STARTUP_T0_NS");
  return text != nullptr ? std::strtoll(text, nullptr, 10) : -1;
}

class FirstPaintProbe final : public QObject {
 public:
  FirstPaintProbe() : t0_(startNs()), loaded_(monotonicNs()) {
    QCoreApplication::instance()->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType()) {
      seen_ = true;
      firstPaint_ = monotonicNs();
      widget_ = QString::fromLatin1(watched->metaObject()->className());
      // Runs once the event loop is back, after the paint round has finished.
      QMetaObject::invokeMethod(this, &FirstPaintProbe::finish, Qt::QueuedConnection);
    }
    return false;
  }

 private:
  void finish() {
    const long long frame = monotonicNs();
    QCoreApplication::instance()->removeEventFilter(this);
    const auto since = [this](long long t) { return t0_ < 0 ? -1 : t - t0_; };
    const char* path = std::getenv("VORNELL_STARTUP_PROBE_OUT");
    if (FILE* out = path != nullptr ? std::fopen(path, "w") : nullptr) {
      std::fprintf(out, "loaded_ns=%lld first_paint_ns=%lld frame_ns=%lld widget=%s\n",
                   since(loaded_), since(firstPaint_), since(frame), qPrintable(widget_));
      std::fclose(out);
    } else {
      std::fprintf(stderr, "startup probe: cannot write the result (VORNELL_STARTUP_PROBE_OUT)\n");
    }
    QCoreApplication::exit(0);
  }

  long long t0_;
  long long loaded_;
  long long firstPaint_ = 0;
  bool seen_ = false;
  QString widget_;
};

}  // namespace

class StartupProbePlugin final : public QGenericPlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "startup_probe.json")

 public:
  QObject* create(const QString& key, const QString& parameters) override {
    Q_UNUSED(parameters);
    if (key.compare(QLatin1String("vornellstartupprobe"), Qt::CaseInsensitive) != 0) {
      return nullptr;
    }
    return new FirstPaintProbe;
  }
};

#include "startup_probe.moc"
