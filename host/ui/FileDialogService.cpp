#include "host/sdk/ui/FileDialogService.h"

#include <QApplication>
#include <QFileDialog>

namespace {

class SystemFileDialog final : public FileDialogService {
public:
    QString saveFileName(const QString& caption, const QString& suggestedName, const QString& filters,
                         QString* chosenFilter) override {
        return QFileDialog::getSaveFileName(QApplication::activeWindow(), caption, suggestedName, filters,
                                            chosenFilter);
    }
    QString openFileName(const QString& caption, const QString& filters) override {
        return QFileDialog::getOpenFileName(QApplication::activeWindow(), caption, QString(), filters);
    }
};

FileDialogService* installed = nullptr;

} // namespace

FileDialogService& FileDialogService::current() {
    static SystemFileDialog system;
    return installed ? *installed : system;
}

void FileDialogService::install(FileDialogService* service) {
    installed = service;
}
