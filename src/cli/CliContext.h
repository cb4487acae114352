#pragma once

#include "platform/ExitStatus.h"

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

// Runs one quorixctl command line (without the program name) and returns its exit code.
int runQuorixCtl(const QStringList &args, CliContext &ctx);
