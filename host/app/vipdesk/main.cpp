#include "host/app/vipdesk/DeskApplication.h"
#include "host/app/vipdesk/DeskOptions.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vipdesk"));
    DeskOptions options;
    QString error;
    if (!DeskOptions::Parse(QApplication::arguments().mid(1), options, error)) {
        QTextStream(stderr) << error << "\n" << DeskOptions::Usage << "\n";
        return 2;
    }
    return DeskApplication(options).Run();
}
