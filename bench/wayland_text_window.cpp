// A Qt text editor window for bench/typing_wayland: a reader of keys other than a terminal, to
// measure pacing against. It writes what it received to FILE (UTF-8, Enter as LF) every 100 ms
// while it changes, and quits with status 0 once COUNT characters have arrived. A window the
// compositor disconnects ends with another status.
//
// Usage: wayland_text_window FILE COUNT
#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QTimer>

namespace {

void save(const QPlainTextEdit& editor, const QString& path) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(editor.toPlainText().toUtf8());
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 3) {
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int count = QString::fromLocal8Bit(argv[2]).toInt();
    QPlainTextEdit editor;
    editor.resize(800, 600);
    editor.show();
    QObject::connect(&editor, &QPlainTextEdit::textChanged, [&] {
        if (editor.document()->characterCount() - 1 >= count) {
            save(editor, path);
            app.quit();
        }
    });
    // Ready for keys once shown: an empty file says so.
    QTimer::singleShot(0, [&] { save(editor, path); });
    bool changed = false;
    QObject::connect(&editor, &QPlainTextEdit::textChanged, [&] { changed = true; });
    QTimer progress;
    QObject::connect(&progress, &QTimer::timeout, [&] {
        if (changed) {
            save(editor, path);
            changed = false;
        }
    });
    progress.start(100);
    return app.exec();
}
