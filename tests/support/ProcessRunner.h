// Runs a program to its end, for tests of the built executables.
#pragma once
#include <QProcess>

namespace TestProcess {

struct Result {
    int exitCode = -1;
    QProcess::ExitStatus status = QProcess::CrashExit;
    QByteArray out, err;
};

// A run that does not end within a minute is killed and reported as a crash.
inline Result Run(const QString& program, const QStringList& args,
                  const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, args);
    Result r;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return r;
    }
    r.exitCode = process.exitCode();
    r.status = process.exitStatus();
    r.out = process.readAllStandardOutput();
    r.err = process.readAllStandardError();
    return r;
}

// The environment without any display: the window-less modes must not need one.
inline QProcessEnvironment WithoutDisplay() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    return env;
}

}  // namespace TestProcess
