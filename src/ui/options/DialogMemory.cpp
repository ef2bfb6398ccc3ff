#include "ui/options/DialogMemory.h"

namespace brevlin {

namespace {

struct Remembered {
    QSize optionsSize;
    QString importFolder;
    QString exportFolder;
};

Remembered& State() {
    static Remembered state;
    return state;
}

} // namespace

QSize DialogMemory::OptionsSize() {
    return State().optionsSize;
}

void DialogMemory::SetOptionsSize(const QSize& size) {
    State().optionsSize = size;
}

QString DialogMemory::ImportFolder() {
    return State().importFolder;
}

void DialogMemory::SetImportFolder(const QString& folder) {
    State().importFolder = folder;
}

QString DialogMemory::ExportFolder() {
    return State().exportFolder;
}

void DialogMemory::SetExportFolder(const QString& folder) {
    State().exportFolder = folder;
}

void DialogMemory::Forget() {
    State() = Remembered();
}

} // namespace brevlin
