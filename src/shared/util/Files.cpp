#include "shared/util/Files.h"

#include "shared/diagnostics/ErrorHandler.h"
#include "shared/diagnostics/Logging.h"

#include <QStringDecoder>

namespace wexlo::files {

namespace {

namespace logname {
const QString kModule = QStringLiteral("FileSubs");
const QString kErase = QStringLiteral("EraseFile");
const QString kReadText = QStringLiteral("LoadTextFile");
const QString kReadAllBytes = QStringLiteral("LoadFileBytes");
const QString kWriteText = QStringLiteral("WriteTextFile");
}  // namespace logname

platform::FileSystem& fs() { return platform::fileSystem(); }

bool hasWildcard(const QString& s)
{
    return s.contains(QLatin1Char('*')) || s.contains(QLatin1Char('?'));
}

// Position (0-based) of the last separator, "\" or "/"; -1 when there is none.
qsizetype lastSeparator(const QString& path)
{
    return std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
}

// Windows-1252 bytes 0x80..0x9F; the rest of the page is Latin-1.
// The five bytes the page leaves undefined keep their value (as Windows reads them), so that
// a save writes them back rather than a replacement character.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString fromCp1252(QByteArrayView line)
{
    QString text;
    text.reserve(line.size());
    for (const char ch : line) {
        const auto b = static_cast<unsigned char>(ch);
        text += (b >= 0x80 && b <= 0x9F) ? QChar(kCp1252High[b - 0x80]) : QChar(char16_t{b});
    }
    return text;
}

// A missing file reads as no bytes; one that cannot be read is logged under procedure.
bool readAllBytes(const QString& path, QByteArray& bytes, const QString& procedure)
{
    if (!exists(path)) {
        bytes.clear();
        return true;
    }
    ErrorRecorder on(procedure, logname::kModule);
    return on([&] { bytes = fs().readAll(path); });
}
}  // namespace

// ---- OutputFile ------------------------------------------------------------------------

OutputFile::OutputFile(std::unique_ptr<platform::FileWriter> writer) : writer_(std::move(writer)) {}

OutputFile::~OutputFile() = default;

void OutputFile::write(const QString& text)
{
    pending_ += encodeText(text);
    if (pending_.size() >= 64 * 1024)
        flush();
}

void OutputFile::writeLine(const QString& text)
{
    write(text);
    pending_ += "\r\n";
}

void OutputFile::writeBytes(const QByteArray& bytes)
{
    pending_ += bytes;
    if (pending_.size() >= 64 * 1024)
        flush();
}

void OutputFile::flush()
{
    if (!writer_)
        raiseError(err::BadFileNameOrNumber);
    if (pending_.isEmpty())
        return;
    QByteArray out;
    out.swap(pending_);
    writer_->write(out);
}

void OutputFile::close()
{
    flush();
    auto writer = std::move(writer_);
    if (!writer)
        raiseError(err::BadFileNameOrNumber);
    writer->commit();
}

// ---- Text encoding ---------------------------------------------------------------------

QString decodeText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        // A file edited on Windows may mix encodings line by line: each line that is valid
        // UTF-8 is read as such, any other as Windows-1252, so that a save after a load
        // leaves untouched values as they were.
        text.clear();
        text.reserve(bytes.size());
        qsizetype from = 0;
        while (from < bytes.size()) {
            qsizetype end = bytes.indexOf('\n', from);
            end = end < 0 ? bytes.size() : end + 1;
            const QByteArrayView line(bytes.constData() + from, end - from);
            QStringDecoder lineDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString decoded = lineDecoder.decode(line);
            text += lineDecoder.hasError() ? fromCp1252(line) : decoded;
            from = end;
        }
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

QByteArray encodeText(const QString& text) { return text.toUtf8(); }

void forEachUtf8Line(QByteArrayView bytes, const std::function<void(QByteArrayView line)>& line)
{
    // A file that is UTF-8 throughout (the usual case) loses only its byte order mark; in one
    // that is not, every line that is valid UTF-8 loses its own, as a decoder started anew on
    // each line does.
    const bool whole = bytes.isValidUtf8();
    static constexpr QByteArrayView kBom("\xEF\xBB\xBF");
    // decodeText takes off a second mark at the very start too.
    auto dropMarks = [](QByteArrayView text, int marks) {
        while (marks-- > 0 && text.startsWith(kBom))
            text = text.sliced(kBom.size());
        return text;
    };
    if (whole)
        bytes = dropMarks(bytes, 2);
    QByteArray converted;
    qsizetype from = 0;
    while (from < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', from);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        if (end < 0)
            end = bytes.size();
        QByteArrayView text = bytes.sliced(from, end - from);
        from = next;
        if (!whole) {
            if (!text.isValidUtf8()) {
                converted = fromCp1252(text).toUtf8();
                text = converted;
            } else {
                text = dropMarks(text, text.data() == bytes.data() ? 2 : 1);
            }
        }
        line(text);
    }
}

// ---- Existence and attributes ----------------------------------------------------------

bool exists(const QString& path)
{
    const qsizetype sep = path.lastIndexOf(QLatin1Char('/'));
    const QString name = sep >= 0 ? path.mid(sep + 1) : path;
    if (!hasWildcard(name)) {
        const platform::FileInfo fi = fs().info(path);
        return fi.exists && !fi.isFolder;
    }
    const QString folder = sep >= 0 ? path.left(sep + 1) : QString();
    QStringList matches = fs().match(folder, name);
    if (matches.isEmpty())
        return false;
    matches.sort();
    const platform::FileInfo fi = fs().info(folder + matches.first());
    return fi.exists && !fi.isFolder;
}

bool isReadOnly(const QString& path)
{
    const platform::FileInfo fi = fs().info(path);
    return fi.exists && fi.readOnly;
}

bool makeWritable(const QString& path) { return exists(path) && fs().makeWritable(path); }

bool erase(const QString& path)
{
    if (!exists(path))
        return true;
    makeWritable(path);
    ErrorRecorder on(logname::kErase, logname::kModule);
    return on([&] { fs().remove(path); });
}

// ---- Whole-file read and write ---------------------------------------------------------

bool readText(const QString& path, QString& text)
{
    QByteArray bytes;
    if (!readAllBytes(path, bytes, logname::kReadText))
        return false;
    text = decodeText(bytes);
    return true;
}

bool readAllBytes(const QString& path, QByteArray& bytes)
{
    return readAllBytes(path, bytes, logname::kReadAllBytes);
}

bool writeText(const QString& path, const QString& text)
{
    ErrorRecorder on(logname::kWriteText, logname::kModule);
    int error = 0;
    auto out = openForOutput(path, platform::FileAccess::Normal, &error);
    if (!out) {
        if (error != 0)
            on.record(error, errorDescription(error));
        return false;
    }
    // A failed write leaves the old content: nothing is committed before close().
    return on([&] {
        out->write(text);
        out->close();
    });
}

std::unique_ptr<OutputFile> openForOutput(const QString& path, platform::FileAccess access,
                                          int* error)
{
    auto fail = [error](int number) -> std::unique_ptr<OutputFile> {
        if (error != nullptr)
            *error = number;
        return nullptr;
    };
    try {
        if (exists(path) && isReadOnly(path) && !makeWritable(path)) {
            // This line is the failure's record, so the caller gets 0: nothing more to log.
            const QString line =
                path +
                QStringLiteral(" is read only, can't change it to read write, can't update it");
            try {
                logging::writeLine(line);
            } catch (...) {
                return fail(err::PermissionDenied);
            }
            return fail(0);
        }
        return std::make_unique<OutputFile>(fs().rewrite(path, access));
    } catch (const RuntimeError& e) {
        // Not recorded here: the caller tells the user and logs it in its own words.
        return fail(e.number());
    } catch (...) {
        return fail(err::OutOfMemory);
    }
}

// ---- Paths -----------------------------------------------------------------------------

QString folderOf(const QString& path)
{
    const qsizetype at = lastSeparator(path);
    return at >= 0 ? path.left(at + 1) : QStringLiteral("./");
}

QString fileNameOf(const QString& path)
{
    const qsizetype at = lastSeparator(path);
    return at >= 0 ? path.mid(at + 1) : path;
}

QString withSlash(const QString& path)
{
    if (path.isEmpty() || path.endsWith(QLatin1Char('/')))
        return path;
    return path + QLatin1Char('/');
}

QString driveLetter(const QString& path)
{
    if (path.startsWith(QLatin1Char('\\')) || path.startsWith(QLatin1Char('/')))
        return path;
    return path.left(1);
}

}  // namespace wexlo::files
