// Reading a schedule with libcsv, checking each row, and writing the table back.
#include "Schedule.h"

#include "Console.h"
#include "Cp1251.h"
#include "ErrorMessage.h"
#include "Errors.h"
#include "JointOutput.h"
#include "JointRun.h"
#include "LeastLength.h"
#include "Numbers.h"
#include "ReportLines.h"
#include "TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QRegularExpression>
#include <QStringDecoder>

#include <csv.h>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr qsizetype readChunk = 1 << 16;

// A broken file: where, and what.
struct BrokenFile
{
    qint64 line = 1;
    qint64 column = 1;
    QString reason;
};

struct Dialect
{
    char delimiter = ';';
    bool utf8 = true;
    bool byteOrderMark = false;
    QByteArray lineEnd = "\r\n";
};

// The columns a schedule may name, each with its Russian and Latin names, lower case; the
// Cyrillic "р" and "е" are the frame's own symbols.
struct KnownColumn
{
    std::optional<InputBox> box; // nothing for the name column
    QStringList names;
};

const QList<KnownColumn> &knownColumns()
{
    static const QList<KnownColumn> columns = {
        {std::nullopt, {QStringLiteral("имя"), QStringLiteral("name")}},
        {InputBox::Load, {QStringLiteral("p"), QStringLiteral("р"), QStringLiteral("нагрузка")}},
        {InputBox::Eccentricity, {QStringLiteral("e"), QStringLiteral("е"), QStringLiteral("эксцентриситет")}},
        {InputBox::Moment, {QStringLiteral("m"), QStringLiteral("момент")}},
        {InputBox::Leg, {QStringLiteral("kf"), QStringLiteral("катет")}},
        {InputBox::Length, {QStringLiteral("l"), QStringLiteral("длина")}},
        {InputBox::Beta, {QStringLiteral("beta")}},
        {InputBox::Resistance, {QStringLiteral("rwf")}},
        {InputBox::WeldFactor, {QStringLiteral("ywf")}},
        {InputBox::StructureFactor, {QStringLiteral("yc")}},
    };
    return columns;
}

const QStringList resultColumns = {
    QStringLiteral("Lw"),         QStringLiteral("Fw"),           QStringLiteral("Ww"),
    QStringLiteral("sigma"),      QStringLiteral("tau"),          QStringLiteral("SIGMAmax"),
    QStringLiteral("Rwf*Ywf*Yc"), QStringLiteral("Знак"),         QStringLiteral("Вывод"),
    QStringLiteral("Предупреждения"), QStringLiteral("Подбор длины шва"), QStringLiteral("Наименьшая длина"),
    QStringLiteral("Ошибка")};

// libcsv keeps the spaces of a cell: the number conversion reads them as the window does.
int noSpace(unsigned char)
{
    return 0;
}

// The fields of one row, one after another in one buffer that is reused from row to row.
struct RowFields
{
    std::string bytes;
    std::vector<std::size_t> ends;

    qsizetype size() const { return qsizetype(ends.size()); }
    QByteArrayView at(qsizetype i) const
    {
        const std::size_t begin = i > 0 ? ends[std::size_t(i - 1)] : 0;
        return QByteArrayView(bytes.data() + begin, qsizetype(ends[std::size_t(i)] - begin));
    }
    void clear()
    {
        bytes.clear();
        ends.clear();
    }
};

// Rows of a CSV file fed line by line to libcsv, so that each row knows the line it began on.
class CsvReader
{
public:
    // The handler may take the fields' buffers; the reader clears them after it either way.
    using RowHandler = std::function<void(RowFields &fields, qint64 line)>;

    CsvReader(char delimiter, RowHandler handler)
        : m_handler(std::move(handler))
    {
        csv_init(&m_parser, CSV_STRICT | CSV_STRICT_FINI);
        csv_set_delim(&m_parser, static_cast<unsigned char>(delimiter));
        csv_set_space_func(&m_parser, noSpace);
    }
    ~CsvReader() { csv_free(&m_parser); }
    CsvReader(const CsvReader &) = delete;
    CsvReader &operator=(const CsvReader &) = delete;

    // One physical line with its line end; throws BrokenFile.
    void feedLine(QByteArrayView line)
    {
        ++m_line;
        if (m_rowLine == 0 && !line.trimmed().isEmpty())
            m_rowLine = m_line;
        if (csv_parse(&m_parser, line.data(), std::size_t(line.size()), field, row, this)
            != std::size_t(line.size()))
            throw BrokenFile{m_line, m_fields.size() + 1, QStringLiteral("кавычка не на своем месте")};
        if (m_broken)
            throw *m_broken;
    }

    void finish()
    {
        if (csv_fini(&m_parser, field, row, this) != 0)
            throw BrokenFile{m_rowLine, m_fields.size() + 1, QStringLiteral("кавычки не закрыты")};
        if (m_broken)
            throw *m_broken;
    }

private:
    static void field(void *text, std::size_t size, void *reader)
    {
        auto *self = static_cast<CsvReader *>(reader);
        self->m_fields.bytes.append(static_cast<const char *>(text), size);
        self->m_fields.ends.push_back(self->m_fields.bytes.size());
    }
    static void row(int, void *reader)
    {
        auto *self = static_cast<CsvReader *>(reader);
        if (!self->m_broken) {
            try {
                self->m_handler(self->m_fields, self->m_rowLine);
            } catch (const BrokenFile &broken) {
                self->m_broken = broken;
            }
        }
        self->m_fields.clear();
        self->m_rowLine = 0;
    }

    csv_parser m_parser{};
    RowHandler m_handler;
    RowFields m_fields;
    qint64 m_line = 0;
    qint64 m_rowLine = 0;
    std::optional<BrokenFile> m_broken;
};

// A row may have fewer fields than the header (a spreadsheet drops empty trailing cells), never
// more. Both readings check it: the file may change between them.
class FieldCount
{
public:
    // Throws BrokenFile for a row longer than the header; the first row is the header.
    void check(const RowFields &fields, qint64 line)
    {
        if (m_header == 0)
            m_header = fields.size();
        else if (fields.size() > m_header)
            throw BrokenFile{line, m_header + 1, QStringLiteral("в строке больше полей, чем в заголовке")};
    }

private:
    qsizetype m_header = 0;
};

// Feeds the whole file line by line, after the byte-order mark; true when the file is UTF-8. No
// character spans a line end, so it is when each line is; a file ending inside a character is
// not.
bool readLines(QFile &file, bool skipMark, const std::function<void(QByteArrayView)> &feed)
{
    bool utf8 = true;
    const auto take = [&](QByteArrayView line) {
        if (utf8)
            utf8 = line.isValidUtf8();
        feed(line);
    };
    file.seek(skipMark ? 3 : 0);
    QByteArray pending;
    while (true) {
        const QByteArray chunk = file.read(readChunk);
        if (chunk.isEmpty())
            break;
        pending.append(chunk);
        qsizetype start = 0;
        for (qsizetype end; (end = pending.indexOf('\n', start)) >= 0; start = end + 1)
            take(QByteArrayView(pending).sliced(start, end + 1 - start));
        pending.remove(0, start);
    }
    if (file.error() != QFileDevice::NoError)
        throw BrokenFile{0, 0, QStringLiteral("ошибка чтения")};
    if (!pending.isEmpty())
        take(pending);
    return utf8;
}

// The delimiter is the one of ";", "," and tab that the header line holds most often, outside
// quotes; a header of one column is read with ";".
char delimiterOf(QByteArrayView header)
{
    int counts[3] = {};
    const char delimiters[3] = {';', ',', '\t'};
    bool quoted = false;
    for (char c : header) {
        if (c == '"')
            quoted = !quoted;
        for (int i = 0; i < 3 && !quoted; ++i)
            counts[i] += c == delimiters[i];
    }
    int best = 0;
    for (int i = 1; i < 3; ++i) {
        if (counts[i] > counts[best])
            best = i;
    }
    return delimiters[best];
}

// The dialect as the header line shows it; the encoding is left to the rows.
Dialect examineHeader(QFile &file)
{
    Dialect dialect;
    const QByteArray start = file.peek(3);
    dialect.byteOrderMark = start == "\xEF\xBB\xBF";
    QByteArray header;
    {
        file.seek(dialect.byteOrderMark ? 3 : 0);
        while (!header.endsWith('\n')) {
            const QByteArray part = file.readLine(readChunk);
            if (part.isEmpty())
                break;
            header += part;
        }
    }
    if (header.trimmed().isEmpty())
        throw BrokenFile{1, 1, QStringLiteral("файл пуст")};
    dialect.lineEnd = header.endsWith("\r\n") || !header.endsWith('\n') ? QByteArray("\r\n") : QByteArray("\n");
    dialect.delimiter = delimiterOf(header);
    return dialect;
}

// The whole file read once: whether it is UTF-8, and its soundness (BrokenFile).
bool examineRows(QFile &file, const Dialect &dialect)
{
    FieldCount fieldCount;
    CsvReader reader(dialect.delimiter,
                     [&fieldCount](RowFields &fields, qint64 line) { fieldCount.check(fields, line); });
    const bool utf8 = readLines(file, dialect.byteOrderMark, [&reader](QByteArrayView line) { reader.feedLine(line); });
    reader.finish();
    return utf8;
}

// Whether the file's first megabyte, to its last whole line, is UTF-8: a Windows-1251 schedule
// names its joints in Cyrillic, which shows at once.
bool startsAsUtf8(QFile &file, const Dialect &dialect)
{
    file.seek(dialect.byteOrderMark ? 3 : 0);
    QByteArray start = file.read(1 << 20);
    if (!file.atEnd())
        start.truncate(start.lastIndexOf('\n') + 1);
    return start.isValidUtf8();
}

QString decoded(QByteArrayView bytes, bool utf8)
{
    return utf8 ? QString::fromUtf8(bytes) : decodeCp1251(bytes);
}

// The same into `cell`, whose buffer is reused when no one else holds it: a cell in plain ASCII,
// the same in both encodings, costs no allocation.
void decodeInto(QString &cell, QByteArrayView bytes, bool utf8)
{
    if (!std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; })) {
        cell = decoded(bytes, utf8);
        return;
    }
    cell.resize(bytes.size());
    std::transform(bytes.begin(), bytes.end(), cell.data(), [](char c) { return QChar(uchar(c)); });
}

// The table's lines as they are written. A standard string appends without the checks of a
// shared QString, about a third of the time of a row's output.
using TableText = std::u16string;

void append(TableText &text, QStringView part)
{
    text.append(part.utf16(), std::size_t(part.size()));
}

// A cell written back: quoted when it holds the delimiter, a quote or a line break. All of them
// are below 64, so one mask answers for each character.
void appendCell(TableText &line, QStringView cell, char16_t delimiter)
{
    const std::uint64_t special = (1ULL << delimiter) | (1ULL << u'"') | (1ULL << u'\n') | (1ULL << u'\r');
    const bool quoted = std::any_of(cell.utf16(), cell.utf16() + cell.size(),
                                    [special](char16_t c) { return c < 64 && (special >> c) & 1; });
    if (!quoted) {
        append(line, cell);
        return;
    }
    line += u'"';
    for (QChar c : cell) {
        if (c == u'"')
            line += u'"';
        line += c.unicode();
    }
    line += u'"';
}

// A report's file name from the row's name: what Windows forbids becomes "_", so that a name
// never leaves the folder or opens a device.
QString reportName(const QString &name, qint64 rowNumber)
{
    // Room for the numbering and ".txt" within the 255 characters of a file name.
    constexpr qsizetype longestName = 200;
    QString base;
    for (QChar c : name.left(longestName))
        base += (c.unicode() < 32 || QStringLiteral("<>:\"/\\|?*").contains(c)) ? QChar(u'_') : c;
    // Windows drops trailing dots and spaces from a name.
    while (base.endsWith(QLatin1Char('.')) || base.endsWith(QLatin1Char(' ')))
        base.chop(1);
    if (base.trimmed().isEmpty())
        return QString::number(rowNumber);
    // CON, PRN, AUX, NUL, COM1 to COM9 and LPT1 to LPT9 name devices, whatever follows a dot.
    static const QRegularExpression device(QStringLiteral("^(con|prn|aux|nul|com[1-9]|lpt[1-9])(\\..*)?$"),
                                           QRegularExpression::CaseInsensitiveOption);
    // A leading dot would hide the report on Linux.
    if (device.match(base).hasMatch() || base.startsWith(QLatin1Char('.')))
        base.prepend(QLatin1Char('_'));
    return base;
}

// What a row's check left for the thread that writes: how it ended and, with --reports, what the
// report quotes.
struct RowOutcome
{
    qsizetype textEnd = 0; // where the row's line ends in its batch's text
    qint64 rowNumber = 0;
    bool bad = false;
    bool failing = false;
    std::unique_ptr<ReportSnapshot> report; // held apart: a row is set up without clearing it
    QString name;
};

// Rows checked together by one worker; their lines, in order, in one text.
struct Batch
{
    std::vector<RowFields> rows;
    std::vector<qint64> rowNumbers;
    std::size_t count = 0;
    std::vector<QString> cells; // a row's cells, their buffers kept from row to row
    TableText text;
    std::vector<RowOutcome> outcomes;
    std::exception_ptr failure;
    bool done = false;
};

constexpr std::size_t rowsPerBatch = 512;

class ScheduleRun
{
public:
    ScheduleRun(const ScheduleOptions &options, const Dialect &dialect)
        : m_options(options)
        , m_dialect(dialect)
        , m_delimiter(char16_t(dialect.delimiter))
    {
        if (options.outputPath) {
            try {
                m_file = std::make_unique<TextFileWriter>(
                    *options.outputPath, dialect.utf8 ? TextEncoding::Utf8 : TextEncoding::Cp1251);
            } catch (const WeldError &error) {
                throw outputError(error);
            }
            m_file->streamToDisk();
        }
        // The mark is for a program reading the bytes; a console would show it.
        if (dialect.byteOrderMark && (m_file || !m_console))
            write(QString(QChar(0xFEFF)));
    }

    ~ScheduleRun()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_changed.notify_all();
        for (std::thread &worker : m_workers)
            worker.join();
    }

    ScheduleRun(const ScheduleRun &) = delete;
    ScheduleRun &operator=(const ScheduleRun &) = delete;

    void row(RowFields &fields, qint64 line)
    {
        m_fieldCount.check(fields, line);
        if (!m_header) {
            header(fields);
            startWorkers();
            return;
        }
        if (!m_filling) {
            m_filling = takeFreeBatch();
            m_filling->count = 0;
        }
        Batch &batch = *m_filling;
        if (batch.rows.size() <= batch.count) {
            batch.rows.resize(batch.count + 1);
            batch.rowNumbers.resize(batch.count + 1);
        }
        // Swapped rather than copied: the reader's buffers come back with the capacity of an
        // earlier row.
        std::swap(batch.rows[batch.count], fields);
        batch.rowNumbers[batch.count] = ++m_rowNumber;
        if (++batch.count == rowsPerBatch)
            submit();
    }

    // Every row is checked and written; the output is not yet complete.
    void finish()
    {
        if (!m_header)
            throw BrokenFile{1, 1, QStringLiteral("нет строки заголовка")};
        if (m_filling)
            submit();
        while (!m_inFlight.empty())
            writeFirstBatch();
    }

    // The output file takes its place; standard output is flushed.
    void commit()
    {
        try {
            if (m_file)
                m_file->commit();
            else if (!flushOutput())
                throw InOutError(101);
        } catch (const InOutError &error) {
            throw outputError(error);
        }
    }

    ScheduleStatus status() const
    {
        return m_badRows ? BadInput : m_failing ? SomeFail : AllHold;
    }

private:
    void header(const RowFields &fields)
    {
        TableText line;
        m_header = QStringList();
        m_columnBox.assign(std::size_t(fields.size()), std::nullopt);
        bool known = false;
        for (qsizetype i = 0; i < fields.size(); ++i) {
            const QString cell = decoded(fields.at(i), m_dialect.utf8);
            m_header->append(cell);
            if (i)
                line += m_delimiter;
            appendCell(line, cell, m_delimiter);
            const QString key = cell.trimmed().toLower();
            for (const KnownColumn &column : knownColumns()) {
                if (!column.names.contains(key))
                    continue;
                const bool taken = column.box ? std::find(m_columnBox.begin(), m_columnBox.end(), column.box)
                                                    != m_columnBox.end()
                                              : m_nameColumn >= 0;
                if (taken)
                    break;
                known = true;
                if (column.box)
                    m_columnBox[std::size_t(i)] = column.box;
                else
                    m_nameColumn = i;
            }
        }
        if (!known)
            throw BrokenFile{1, 1, QStringLiteral("нет строки заголовка: ни один столбец не назван")};
        for (const QString &column : resultColumns) {
            line += m_delimiter;
            appendCell(line, column, m_delimiter);
        }
        m_lineEnd.assign(m_dialect.lineEnd.begin(), m_dialect.lineEnd.end());
        write(line + m_lineEnd);
    }

    // The rows are checked on every core while this thread reads and writes; what the workers
    // read (the header, the dialect, the decimal separator) is settled before they start and
    // never changes.
    void startWorkers()
    {
        decimalSeparator();
        // The arithmetic is written for the x87's extended precision, which the C runtime sets
        // for the first thread; Windows starts every other thread in double precision. Each
        // worker takes this thread's precision and rounding.
        unsigned short control = 0;
        __asm__ volatile("fnstcw %0" : "=m"(control));
        const unsigned cores = std::thread::hardware_concurrency();
        m_workerCount = std::clamp<unsigned>(cores, 1, 4);
        for (unsigned i = 0; i < m_workerCount; ++i) {
            m_workers.emplace_back([this, control] {
                __asm__ volatile("fldcw %0" : : "m"(control));
                work();
            });
        }
    }

    void work()
    {
        std::unique_lock lock(m_mutex);
        while (true) {
            m_changed.wait(lock, [this] { return m_stopping || !m_waiting.empty(); });
            if (m_stopping)
                return;
            Batch *batch = m_waiting.front();
            m_waiting.pop_front();
            lock.unlock();
            try {
                checkBatch(*batch);
            } catch (...) {
                batch->failure = std::current_exception();
            }
            lock.lock();
            batch->done = true;
            m_finished.notify_all();
        }
    }

    void submit()
    {
        std::unique_ptr<Batch> batch = std::move(m_filling);
        batch->done = false;
        {
            const std::lock_guard lock(m_mutex);
            m_waiting.push_back(batch.get());
        }
        m_inFlight.push_back(std::move(batch));
        m_changed.notify_one();
        // Two batches a worker at most: memory stays the same whatever the length of the file.
        while (m_inFlight.size() > 2 * std::size_t(m_workerCount))
            writeFirstBatch();
    }

    std::unique_ptr<Batch> takeFreeBatch()
    {
        if (m_free.empty())
            return std::make_unique<Batch>();
        std::unique_ptr<Batch> batch = std::move(m_free.back());
        m_free.pop_back();
        return batch;
    }

    // Writes the oldest batch once it is checked: each row's report, then its line, in the
    // order of the file.
    void writeFirstBatch()
    {
        Batch &batch = *m_inFlight.front();
        {
            std::unique_lock lock(m_mutex);
            m_finished.wait(lock, [&batch] { return batch.done; });
        }
        if (batch.failure)
            std::rethrow_exception(batch.failure);
        qsizetype written = 0;
        for (const RowOutcome &outcome : batch.outcomes) {
            m_badRows += outcome.bad;
            m_failing += outcome.failing;
            if (outcome.report) {
                if (written < outcome.textEnd) {
                    // The lines before it are out before a report can fail.
                    const qsizetype start = written;
                    written = previousEnd(batch, outcome);
                    if (written > start)
                        write(QStringView(batch.text).sliced(start, written - start));
                }
                writeReport(*outcome.report, outcome.name, outcome.rowNumber);
            }
        }
        if (written < qsizetype(batch.text.size()))
            write(QStringView(batch.text).sliced(written));
        m_free.push_back(std::move(m_inFlight.front()));
        m_inFlight.pop_front();
    }

    static qsizetype previousEnd(const Batch &batch, const RowOutcome &outcome)
    {
        const std::size_t index = std::size_t(&outcome - batch.outcomes.data());
        return index > 0 ? batch.outcomes[index - 1].textEnd : 0;
    }

    // On a worker.
    void checkBatch(Batch &batch) const
    {
        batch.text.clear();
        batch.outcomes.clear();
        for (std::size_t i = 0; i < batch.count; ++i) {
            RowOutcome outcome;
            outcome.rowNumber = batch.rowNumbers[i];
            checkRow(batch.rows[i], batch.cells, batch.text, outcome);
            batch.text += m_lineEnd;
            outcome.textEnd = qsizetype(batch.text.size());
            batch.outcomes.push_back(std::move(outcome));
        }
    }

    void checkRow(const RowFields &fields, std::vector<QString> &cells, TableText &line, RowOutcome &outcome) const
    {
        JointInputs inputs;
        bool empty = true;
        if (cells.size() < std::size_t(fields.size()))
            cells.resize(std::size_t(fields.size()));
        for (qsizetype i = 0; i < fields.size(); ++i) {
            QString &cell = cells[std::size_t(i)];
            decodeInto(cell, fields.at(i), m_dialect.utf8);
            if (i)
                line += m_delimiter;
            appendCell(line, cell, m_delimiter);
            if (QStringView(cell).trimmed().isEmpty())
                continue;
            empty = false;
            if (i == m_nameColumn) {
                // Only a report is named after it; kept otherwise, it would hold the cell's buffer.
                if (m_options.reportsFolder)
                    outcome.name = QStringView(cell).trimmed().toString();
            } else if (m_columnBox[std::size_t(i)])
                inputs[std::size_t(*m_columnBox[std::size_t(i)])] = cell;
        }
        for (qsizetype i = fields.size(); i < m_header->size(); ++i)
            line += m_delimiter;
        if (!empty)
            appendResults(line, inputs, outcome);
        else
            line.append(std::size_t(resultColumns.size()), m_delimiter);
    }

    void appendResults(TableText &line, const JointInputs &inputs, RowOutcome &outcome) const
    {
        const JointResult joint = runJoint(inputs);
        QString least;
        if (joint.relation && !joint.error)
            least = leastLengthText(findLeastLength(joint));
        QString error;
        if (joint.error) {
            outcome.bad = true;
            QString source = joint.error->result;
            if (joint.error->box) {
                const auto column = std::find(m_columnBox.begin(), m_columnBox.end(), joint.error->box);
                source = m_header->at(column - m_columnBox.begin()).trimmed();
            }
            error = source + QStringLiteral(": ") + joint.error->message;
        } else if (!holds(*joint.relation)) {
            outcome.failing = true;
        }
        const bool checked = joint.relation.has_value();
        const QString *const cells[] = {
            &joint.Label52,
            checked ? &joint.Edit2 : nullptr,
            checked ? &joint.Edit9 : nullptr,
            checked ? &joint.Edit10 : nullptr,
            checked ? &joint.Edit11 : nullptr,
            checked ? &joint.Label22 : nullptr,
            checked ? &joint.Label23 : nullptr,
            checked ? &joint.Label26 : nullptr,
            checked ? &joint.Label27 : nullptr,
        };
        for (const QString *cell : cells) {
            line += m_delimiter;
            if (cell)
                appendCell(line, *cell, m_delimiter);
        }
        for (const QString &cell : {joint.warnings.join(QStringLiteral("; ")), joint.proposed ? joint.Edit13 : QString(),
                                    least, error}) {
            line += m_delimiter;
            appendCell(line, cell, m_delimiter);
        }
        if (m_options.reportsFolder && !joint.error)
            outcome.report = std::make_unique<ReportSnapshot>(joint.reportSnapshot());
    }

    void writeReport(const ReportSnapshot &snapshot, const QString &name, qint64 rowNumber)
    {
        QString base = reportName(name, rowNumber);
        // Names differing only in case are one file on Windows.
        int &uses = m_reportNames[base.toLower()];
        if (++uses > 1)
            base += QStringLiteral("_%1").arg(uses);
        const QString path = QDir(*m_options.reportsFolder).filePath(base + QStringLiteral(".txt"));
        try {
            // As "Записать расчет" writes it, but without waiting for the disk at each of
            // thousands of files: a run cut short is simply run again.
            TextFileWriter file(path);
            file.skipSync();
            for (const QString &reportLine : reportLines(snapshot))
                file.writeLine(reportLine);
            file.commit();
        } catch (const WeldError &error) {
            throw WeldError(QDir::toNativeSeparators(path) + QStringLiteral(": ")
                            + withErrorFullStop(error.message()));
        }
    }

    WeldError outputError(const WeldError &error) const
    {
        const QString name = m_options.outputPath ? QDir::toNativeSeparators(*m_options.outputPath)
                                                  : QStringLiteral("stdout");
        return WeldError(name + QStringLiteral(": ") + withErrorFullStop(error.message()));
    }

    void write(QStringView text)
    {
        if (m_file) {
            try {
                m_file->write(text);
            } catch (const InOutError &error) {
                throw outputError(error);
            }
        } else if (m_console) {
            printText(text.toString());
        } else {
            const QByteArray bytes = m_dialect.utf8 ? text.toUtf8() : encodeCp1251(text);
            if (!writeOutput(bytes))
                throw outputError(InOutError(101));
        }
    }

    const ScheduleOptions &m_options;
    const Dialect &m_dialect;
    char16_t m_delimiter;
    TableText m_lineEnd;
    std::unique_ptr<TextFileWriter> m_file;
    // A table for a person's eyes: shown as text, not as the schedule's bytes.
    const bool m_console = standardOutputIsConsole();
    FieldCount m_fieldCount;
    std::optional<QStringList> m_header;
    std::vector<std::optional<InputBox>> m_columnBox;
    qsizetype m_nameColumn = -1;
    qint64 m_rowNumber = 0;
    qint64 m_badRows = 0;
    qint64 m_failing = 0;
    QHash<QString, int> m_reportNames;

    // The batch being filled, those being checked or written in the order of the file, and
    // those to be filled again.
    std::unique_ptr<Batch> m_filling;
    std::deque<std::unique_ptr<Batch>> m_inFlight;
    std::vector<std::unique_ptr<Batch>> m_free;
    // Shared with the workers.
    std::mutex m_mutex;
    std::condition_variable m_changed;  // a batch waits, or the run stops
    std::condition_variable m_finished; // a batch is checked
    std::deque<Batch *> m_waiting;
    bool m_stopping = false;
    std::vector<std::thread> m_workers;
    unsigned m_workerCount = 1;
};

QString where(const QString &path, const BrokenFile &broken)
{
    QString text = QDir::toNativeSeparators(path);
    if (broken.line > 0)
        text += QStringLiteral(", строка %1, столбец %2").arg(broken.line).arg(broken.column);
    return text + QStringLiteral(": ") + broken.reason;
}

// Checks every row and writes the table. When the encoding was only guessed from the file's
// start and the file proves not to be UTF-8 after all, the table is left uncommitted: then
// nothing is returned and nothing written.
std::optional<ScheduleStatus> checkRows(const ScheduleOptions &options, const Dialect &dialect, QFile &file,
                                        bool encodingGuessed = false)
{
    ScheduleRun run(options, dialect);
    CsvReader reader(dialect.delimiter, [&run](RowFields &fields, qint64 line) { run.row(fields, line); });
    const bool utf8 = readLines(file, dialect.byteOrderMark, [&reader](QByteArrayView line) { reader.feedLine(line); });
    reader.finish();
    run.finish();
    if (encodingGuessed && utf8 != dialect.utf8)
        return std::nullopt;
    run.commit();
    return run.status();
}

} // namespace

ScheduleStatus runSchedule(const ScheduleOptions &options)
{
    QFile file(options.inputPath);
    const auto unreadable = [&options](const QString &reason) {
        printError(QStringLiteral("weldcheck: %1: файл не читается: %2\n")
                       .arg(QDir::toNativeSeparators(options.inputPath), reason));
        return BadInput;
    };
    if (!file.open(QIODevice::ReadOnly)) {
        const QFileInfo info(options.inputPath);
        return unreadable(!info.exists() ? QStringLiteral("нет такого файла")
                          : info.isDir() ? QStringLiteral("это папка")
                                         : QStringLiteral("нет доступа"));
    }
    // The file may be read twice (examined first, or checked again in the other encoding); a
    // pipe or a device cannot be, and one like /dev/zero would never end.
    if (file.isSequential())
        return unreadable(QStringLiteral("это канал или устройство, а не файл"));
    // An output file shows nothing before it is committed, and a report may be written at any
    // row: without reports, the rows are checked on the encoding the file's start shows, and the
    // run is done again if the file is not UTF-8 after all. Otherwise the whole file is examined
    // first.
    const bool guessEncoding = options.outputPath && !options.reportsFolder;
    Dialect dialect;
    try {
        dialect = examineHeader(file);
        dialect.utf8 = guessEncoding ? startsAsUtf8(file, dialect) : examineRows(file, dialect);
    } catch (const BrokenFile &broken) {
        printError(QStringLiteral("weldcheck: ") + where(options.inputPath, broken) + QLatin1Char('\n'));
        return BadInput;
    }
    if (options.decimalSeparator)
        setDecimalSeparator(*options.decimalSeparator);
    else if (dialect.delimiter == ';')
        setDecimalSeparator(QLatin1Char(','));
    else if (dialect.delimiter == ',')
        setDecimalSeparator(QLatin1Char('.'));

    // The input is never the output: writing it would destroy what is being read.
    if (options.outputPath && QFileInfo(*options.outputPath).canonicalFilePath() == QFileInfo(file).canonicalFilePath()) {
        printError(QStringLiteral("weldcheck: %1: результат не пишется в исходный файл\n")
                       .arg(QDir::toNativeSeparators(*options.outputPath)));
        return BadInput;
    }
    try {
        if (const auto status = checkRows(options, dialect, file, guessEncoding))
            return *status;
        dialect.utf8 = false;
        return *checkRows(options, dialect, file);
    } catch (const BrokenFile &broken) {
        // The file is broken, or changed between the two readings.
        printError(QStringLiteral("weldcheck: ") + where(options.inputPath, broken) + QLatin1Char('\n'));
        return BadInput;
    } catch (const WeldError &error) {
        printError(QStringLiteral("weldcheck: %1\n").arg(error.message()));
        return OutputFailed;
    }
}
