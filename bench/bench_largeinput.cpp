// LoadRaceFile on large inputs, up to the 64 MB the program reads: files that are no race (one
// line of comma-separated text, many short lines, binary garbage, a single huge XML element or
// attribute) under every name that selects a reader, and large valid files (an IOF XML result
// list, an OE CSV export, lap files of 20,000 runners and of 64 MB), and XML elements of many
// attributes. Every size must be read or refused in time linear in its size and in memory under
// ten times the file's size. "peak_rss_mb" is the process's peak so far and "rss_per_file_mb"
// that peak over the file's size: run one case at a time with --benchmark_filter to read them
// for that case alone.
#include "benchrace.h"
#include "lapfiles/racefile.h"
#include "race/race.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <functional>
#include <random>

#include <sys/resource.h>

namespace {

constexpr qint64 MB = qint64(1) << 20;

// Writes the file piece by piece, so the benchmark's own memory stays small: next() appends
// text to the buffer until it returns false or the file reaches its size.
using PieceWriter = std::function<bool(QByteArray&)>;

QString writeFile(const QTemporaryDir& dir, const QString& name, qint64 bytes,
                  const QByteArray& head, const PieceWriter& next, const QByteArray& tail)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return QString();
    file.write(head);
    QByteArray buffer;
    qint64 written = head.size();
    while (written + buffer.size() + tail.size() < bytes && next(buffer)) {
        if (buffer.size() >= MB) {
            written += file.write(buffer);
            buffer.clear();
        }
    }
    written += file.write(buffer);
    file.write(tail);
    return path;
}

// A file of one piece repeated; the last one is cut so the file has exactly that size.
QString writeRepeated(const QTemporaryDir& dir, const QString& name, qint64 bytes,
                      const QByteArray& head, const QByteArray& piece, const QByteArray& tail)
{
    QString path = writeFile(
        dir, name, bytes, head, [&](QByteArray& b) { return b += piece, true; }, tail);
    QFile file(path);
    if (file.open(QIODevice::ReadWrite) && file.size() > bytes) {
        // Cut before the tail, then write the tail again.
        file.resize(bytes - tail.size());
        file.seek(file.size());
        file.write(tail);
    }
    return path;
}

void measure(benchmark::State& state, const QString& path)
{
    if (path.isEmpty()) {
        state.SkipWithError("the input could not be written");
        return;
    }
    bool loaded = false;
    for (auto _ : state) {
        BenchDocument().resetRace();
        loaded = basConvert::LoadRaceFile(BenchDocument(), path).loaded();
        benchmark::DoNotOptimize(loaded);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double peak = usage.ru_maxrss / 1024.0;
    const double fileMb = static_cast<double>(QFile(path).size()) / MB;
    state.counters["peak_rss_mb"] = peak;
    state.counters["file_mb"] = fileMb;
    state.counters["rss_per_file_mb"] = peak / fileMb;
    state.counters["loaded"] = loaded ? 1 : 0;
    state.counters["runners"] = [] {
        int n = 0;
        for (const auto& cls : BenchRace().ClassList) n += cls->ClassRunnerCount();
        return n;
    }();
}

// ---- inputs that are no race ----

void OneLineCsv(benchmark::State& state, const char* name)
{
    QTemporaryDir dir;
    const qint64 bytes = state.range(0) * MB;
    measure(state, writeRepeated(dir, QString::fromLatin1(name), bytes, {},
                                 "M21,Runner,Club,00:05:07,", {}));
}

void ManyLinesCsv(benchmark::State& state, const char* name)
{
    QTemporaryDir dir;
    const qint64 bytes = state.range(0) * MB;
    measure(state, writeRepeated(dir, QString::fromLatin1(name), bytes, {},
                                 "M21,Runner,Club,00:05:07\r\n", {}));
}

// Random bytes (a fixed seed): line ends fall at random, most lines are invalid text.
void Garbage(benchmark::State& state, const char* name)
{
    QTemporaryDir dir;
    const qint64 bytes = 64 * MB;
    std::mt19937 random(7);
    QByteArray block(MB, Qt::Uninitialized);
    for (char& c : block) c = static_cast<char>(random() & 0xFF);
    measure(state, writeRepeated(dir, QString::fromLatin1(name), bytes, {}, block, {}));
}

// A result list whose whole size is one attribute value, or one element's text.
void HugeXmlAttribute(benchmark::State& state, const char* name)
{
    QTemporaryDir dir;
    const qint64 bytes = 64 * MB;
    measure(state,
            writeRepeated(dir, QString::fromLatin1(name), bytes,
                          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ResultList creator=\"",
                          QByteArray(4096, 'x'), "\"/>\n"));
}

void HugeXmlText(benchmark::State& state, const char* name)
{
    QTemporaryDir dir;
    const qint64 bytes = 64 * MB;
    measure(state,
            writeRepeated(dir, QString::fromLatin1(name), bytes,
                          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ResultList><Event><Name>",
                          QByteArray(4096, 'x'), "</Name></Event></ResultList>\n"));
}

// A result list whose root element holds attributes up to the file's size (a stream reader
// checks each against all before it), and one of elements of as many attributes as a result
// list may give, one after the other: each is read or refused in time linear in its size.
void CrowdedXmlElement(benchmark::State& state)
{
    QTemporaryDir dir;
    int n = 0;
    measure(state,
            writeFile(
                dir, QStringLiteral("crowded.xml"), state.range(0) * MB,
                "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ResultList",
                [&n](QByteArray& b) { return b += " a" + QByteArray::number(n++) + "=\"\"", true; },
                "/>\n"));
}

void ElementsAtTheAttributeLimit(benchmark::State& state)
{
    QTemporaryDir dir;
    QByteArray element = "<Extra";
    for (int i = 0; i < 64; ++i) element += " a" + QByteArray::number(i) + "=\"\"";
    element += "/>\n";
    measure(state, writeRepeated(dir, QStringLiteral("limit.xml"), state.range(0) * MB,
                                 "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ResultList>\n",
                                 element, "</ResultList>\n"));
}

// ---- large valid inputs ----

// An IOF XML 3.0 result list: classes of 200 runners with 20 split times each, about 1.5 kB a
// runner.
void IofXml(benchmark::State& state)
{
    QTemporaryDir dir;
    const qint64 bytes = state.range(0) * MB;
    std::mt19937 random(11);
    std::uniform_int_distribution<int> leg(60, 600);
    int runner = 0;
    const QByteArray head =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<ResultList xmlns=\"http://www.orienteering.org/datastandard/3.0\" iofVersion=\"3.0\">\n"
        "  <Event><Name>多日大会</Name><StartTime><Date>2024-07-21</Date></StartTime></Event>\n";
    auto next = [&](QByteArray& b) {
        if (runner % 200 == 0) {
            if (runner > 0) b += "  </ClassResult>\n";
            b += "  <ClassResult>\n    <Class><Name>クラス" + QByteArray::number(runner / 200) +
                 "</Name></Class>\n    <Course><Length>6200</Length><Climb>180</Climb>"
                 "<NumberOfControls>20</NumberOfControls></Course>\n";
        }
        ++runner;
        b += "    <PersonResult>\n      <Person><Name><Family>選手</Family><Given>" +
             QByteArray::number(runner) +
             "</Given></Name></Person>\n      <Organisation><Name>クラブ" +
             QByteArray::number(runner % 97) +
             "</Name></Organisation>\n      <Result>\n"
             "        <StartTime>2024-07-21T10:00:00+09:00</StartTime>\n";
        int elapsed = 0;
        QByteArray splits;
        for (int c = 1; c <= 20; ++c) {
            elapsed += leg(random);
            splits += "        <SplitTime><ControlCode>" + QByteArray::number(30 + c) +
                      "</ControlCode><Time>" + QByteArray::number(elapsed) +
                      "</Time></SplitTime>\n";
        }
        elapsed += leg(random) / 4;
        b += "        <Time>" + QByteArray::number(elapsed) +
             "</Time>\n        <Status>OK</Status>\n" + splits +
             "      </Result>\n    </PersonResult>\n";
        return true;
    };
    measure(state, writeFile(dir, QStringLiteral("results.xml"), bytes, head, next,
                             "  </ClassResult>\n</ResultList>\n"));
}

// An OE CSV export (";", the name in one field, pairs from field 45): 20 controls a runner.
void OeCsv(benchmark::State& state)
{
    QTemporaryDir dir;
    const qint64 bytes = state.range(0) * MB;
    QByteArray head;
    for (int f = 1; f <= 44; ++f) head += "Field" + QByteArray::number(f) + ';';
    for (int c = 1; c <= 20; ++c)
        head += "Control" + QByteArray::number(c) + ";Punch" + QByteArray::number(c) + ';';
    head += "\r\n";
    std::mt19937 random(13);
    std::uniform_int_distribution<int> leg(60, 600);
    int runner = 0;
    auto next = [&](QByteArray& b) {
        ++runner;
        QList<QByteArray> fields(44);
        fields[3] = "Runner " + QByteArray::number(runner);  // 4 name
        fields[7] = "10:00:00";                              // 8 start
        fields[10] = "0";                                    // 11 status
        fields[13] = "Club " + QByteArray::number(runner % 97);
        fields[16] = "M" + QByteArray::number(runner / 300);  // 17 class
        fields[38] = "6,2";                                   // 39 length (km)
        fields[39] = "180";
        fields[40] = "20";
        int elapsed = 0;
        QByteArray pairs;
        for (int c = 1; c <= 20; ++c) {
            elapsed += leg(random);
            pairs += QByteArray::number(30 + c) + ';' + QByteArray::number(elapsed / 60) + ':' +
                     QByteArray::number(100 + elapsed % 60).mid(1) + ';';
        }
        fields[9] = QByteArray::number(elapsed / 60 + 3) + ":00";  // 10 time
        b += fields.join(';') + ';' + pairs + "\r\n";
        return true;
    };
    measure(state, writeFile(dir, QStringLiteral("results.csv"), bytes, head, next, {}));
}

// A lap file grown to many megabytes: its runner lines repeated.
void ManyLinesLap(benchmark::State& state)
{
    QTemporaryDir dir;
    const qint64 bytes = state.range(0) * MB;
    BenchDocument().resetRace();
    std::mt19937 random(17);
    AddGeneratedClass(GeneratedClass{QStringLiteral("M21"), 200}, random);
    const QString small = dir.filePath(QStringLiteral("small.lap"));
    basConvert::SaveRaceFile(BenchDocument(), small, basConvert::SaveType::Lap);
    BenchDocument().resetRace();
    QFile file(small);
    if (!file.open(QIODevice::ReadOnly)) return state.SkipWithError("no lap file");
    const QByteArray whole = file.readAll();
    // The runner lines are the last 200.
    qsizetype cut = whole.size() - 2;
    for (int n = 0; n < 200; ++n) cut = whole.lastIndexOf("\r\n", cut - 1);
    const QByteArray head = whole.left(cut + 2);
    const QByteArray runners = whole.mid(cut + 2);
    measure(state, writeRepeated(dir, QStringLiteral("large.lap"), bytes, head, runners, {}));
}

// A lap file the program wrote for 20,000 runners, in one class or spread over forty: it loads
// whole, in time linear in its runners.
void LapFile20000(benchmark::State& state)
{
    QTemporaryDir dir;
    const int classes = static_cast<int>(state.range(0));
    BenchDocument().resetRace();
    std::mt19937 random(19);
    for (int c = 1; c <= classes; ++c)
        AddGeneratedClass(GeneratedClass{QStringLiteral("M%1").arg(c), 20000 / classes}, random);
    const QString path = dir.filePath(QStringLiteral("runners.lap"));
    const bool saved = basConvert::SaveRaceFile(BenchDocument(), path, basConvert::SaveType::Lap) ==
                       basConvert::SaveResult::Saved;
    BenchDocument().resetRace();
    measure(state, saved ? path : QString());
}

// The names that select each reader: lap file, table, text table, Eskdat table, XML.
const char* const Names[] = {"large.lap", "large.csv", "large.txt", "xEskdatx.dat", "large.xml"};

const bool registered = [] {
    using Case = void (*)(benchmark::State&, const char*);
    const std::pair<const char*, Case> perName[] = {
        {"Garbage", Garbage}, {"HugeXmlAttribute", HugeXmlAttribute}, {"HugeXmlText", HugeXmlText}};
    for (const auto& [label, run] : perName)
        for (const char* name : Names)
            benchmark::RegisterBenchmark((std::string(label) + "/" + name).c_str(), run, name)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(1);
    for (const char* name : {"large.csv", "large.lap"}) {
        benchmark::RegisterBenchmark((std::string("OneLine/") + name).c_str(), OneLineCsv, name)
            ->Arg(10)
            ->Arg(40)
            ->Arg(64)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
    }
    benchmark::RegisterBenchmark("ManyLines/large.csv", ManyLinesCsv, "large.csv")
        ->Arg(10)
        ->Arg(64)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
    for (const auto& [label, run] :
         {std::pair{"CrowdedXmlElement", CrowdedXmlElement},
          std::pair{"ElementsAtTheAttributeLimit", ElementsAtTheAttributeLimit}})
        benchmark::RegisterBenchmark(label, run)
            ->Arg(1)
            ->Arg(4)
            ->Arg(16)
            ->Arg(60)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
    benchmark::RegisterBenchmark("IofXml", IofXml)
        ->Arg(10)
        ->Arg(30)
        ->Arg(60)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
    benchmark::RegisterBenchmark("OeCsv", OeCsv)
        ->Arg(10)
        ->Arg(60)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
    benchmark::RegisterBenchmark("LapFile20000", LapFile20000)
        ->Arg(1)
        ->Arg(40)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
    benchmark::RegisterBenchmark("ManyLinesLap", ManyLinesLap)
        ->Arg(10)
        ->Arg(64)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
    return true;
}();

}  // namespace

BENCHMARK_MAIN();
