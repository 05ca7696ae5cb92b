#pragma once

// Runs the program's own binary as a user runs it from a shell: arguments,
// the locale, no display unless asked, and what it wrote and answered.

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace command_line {

struct Outcome {
    int status = -1;
    QString out;
    QByteArray outBytes; // as written, a byte-order mark included
    QString err;
    bool finished = false;
};

struct Setting {
    QString locale = QStringLiteral("C.UTF-8");
    // Unset DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM: no window system.
    bool display = false;
    // Forces the X platform: without a display, starting any toolkit at all
    // would abort the program.
    bool forbidToolkit = false;
    QByteArray input;
};

inline Outcome Run(const QStringList &arguments, const Setting &setting = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), setting.locale);
    environment.insert(QStringLiteral("LANG"), setting.locale);
    environment.remove(QStringLiteral("LANGUAGE"));
    if (!setting.display) {
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    }
    if (setting.forbidToolkit)
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VALDORA_PROGRAM), arguments);
    Outcome outcome;
    if (!process.waitForStarted(10000))
        return outcome;
    if (!setting.input.isEmpty())
        process.write(setting.input);
    process.closeWriteChannel();
    outcome.finished = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    if (!outcome.finished)
        process.kill();
    outcome.status = process.exitCode();
    outcome.outBytes = process.readAllStandardOutput();
    outcome.out = QString::fromUtf8(outcome.outBytes);
    outcome.err = QString::fromUtf8(process.readAllStandardError());
    return outcome;
}

} // namespace command_line
