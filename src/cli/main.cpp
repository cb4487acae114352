#include "cli/CliContext.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    CliContext ctx{out, err, QProcessEnvironment::systemEnvironment()};
    const int code = runQuorixCtl(app.arguments().mid(1), ctx);
    out.flush();
    err.flush();
    return code;
}
