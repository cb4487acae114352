#pragma once

#include <QProcessEnvironment>
#include <QStringList>
#include <QTextStream>

// What a quorixctl command may touch: its streams and its environment, so tests can inject both.
struct CliContext
{
    QTextStream &out;
    QTextStream &err;
    QProcessEnvironment env;
};

enum CliExit : int
{
    ExitOk = 0,
    ExitBadInput = 1,
    ExitUsage = 2,
    ExitNoInstallation = 3,
};

// Runs one quorixctl command line (without the program name) and returns its exit code.
int runQuorixCtl(const QStringList &args, CliContext &ctx);
