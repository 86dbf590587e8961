#pragma once

// File and path helpers. Every whole-file read and write of the program's own text files,
// every existence check and every delete goes through here (over platform::FileSystem).
// A failure is the result false, and is logged here.

#include "platform/FileSystem.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

namespace wexlo::files {

// A file being written by its caller. Text goes out as UTF-8; close() commits the new
// content atomically and throws RuntimeError when it cannot. Dropped without close(), the
// old file stays as it was.
class OutputFile {
public:
    explicit OutputFile(std::unique_ptr<platform::FileWriter> writer);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void write(const QString& text);
    void writeLine(const QString& text);  // text and CR LF
    void writeBytes(const QByteArray& bytes);
    void close();

private:
    void flush();
    std::unique_ptr<platform::FileWriter> writer_;
    QByteArray pending_;
};

// True for a file (not a folder); a name with * or ? asks whether any file matches.
bool exists(const QString& path);
bool isReadOnly(const QString& path);
// True when the file exists and now may be written.
bool makeWritable(const QString& path);
// Removes the file, read-only or not; true when it is gone (a missing file is no failure).
bool erase(const QString& path);
// Reads the whole file into text. A missing file gives the empty text. Returns false (and
// leaves text as it was) when the file exists but could not be read.
bool readText(const QString& path, QString& text);
// The same as the file's bytes, for readers that take the lines one by one (forEachUtf8Line).
bool readAllBytes(const QString& path, QByteArray& bytes);
// Replaces the file's content with exactly the text. False when nothing was written.
bool writeText(const QString& path, const QString& text);
// Opens a file for writing from the start; nullptr on failure. A read-only file that cannot be
// made writable is logged here (error gets 0); any other failure is not, and error gets its
// number for the caller to report. Where the folder takes no temporary file but the file is
// writable, the file is written in place (see platform::FileSystem::rewrite).
std::unique_ptr<OutputFile> openForOutput(
    const QString& path, platform::FileAccess access = platform::FileAccess::Normal,
    int* error = nullptr);

// Both take "/" and "\\" as separators. The folder keeps its separator ("./" when none).
QString folderOf(const QString& path);
QString fileNameOf(const QString& path);
// The path with a trailing "/" (the empty path stays empty).
QString withSlash(const QString& path);
// The first letter of a drive path, a path starting with a separator as it stands: what the
// disk-full message names.
QString driveLetter(const QString& path);

// The program's text encoding: UTF-8 out; in, each line as UTF-8 when it is valid UTF-8,
// else as Windows-1252.
QString decodeText(const QByteArray& bytes);
QByteArray encodeText(const QString& text);
// Hands on each line of the bytes (without its "\n") as UTF-8, read as decodeText reads it:
// without a text object for the whole file.
void forEachUtf8Line(QByteArrayView bytes, const std::function<void(QByteArrayView line)>& line);

}  // namespace wexlo::files
