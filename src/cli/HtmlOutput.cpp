#include "HtmlOutput.h"

#include "engine/BrevlinError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace brevlin::cli {

namespace {

[[noreturn]] void ThrowWrite(const std::string& path, const std::string& reason) {
    throw BrevlinError(errors::InputOutput, "cannot write " + path + ": " + reason);
}

} // namespace

HtmlOutput::HtmlOutput(const std::optional<std::string>& path) {
    if (!path || *path == "-")
        return;
    m_path = *path;
    m_file = std::make_unique<QSaveFile>(QString::fromStdString(m_path));
    if (!m_file->open(QIODevice::WriteOnly))
        ThrowWrite(m_path, m_file->errorString().toStdString());
}

HtmlOutput::~HtmlOutput() {
    if (m_file)
        m_file->cancelWriting();
}

void HtmlOutput::Write(const char* data, std::size_t size) {
    if (!m_file) {
        if (std::fwrite(data, 1, size, stdout) != size)
            ThrowWrite("standard output", std::strerror(errno));
        return;
    }
    if (m_file->write(data, static_cast<qint64>(size)) != static_cast<qint64>(size))
        ThrowWrite(m_path, m_file->errorString().toStdString());
}

void HtmlOutput::Commit() {
    if (!m_file) {
        if (std::fflush(stdout) != 0)
            ThrowWrite("standard output", std::strerror(errno));
        return;
    }
    if (!m_file->commit())
        ThrowWrite(m_path, m_file->errorString().toStdString());
    m_file.reset();
}

} // namespace brevlin::cli
