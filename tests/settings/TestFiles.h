#pragma once

#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <string>

namespace brevlin::test {

inline void WriteBytes(const QString& path, const std::string& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write test file " + path.toStdString());
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

inline std::string ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// A temporary folder per test.
class TempFolder {
public:
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QString Root() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

} // namespace brevlin::test
