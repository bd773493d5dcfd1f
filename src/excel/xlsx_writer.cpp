#include "excel/xlsx_writer.h"

#include <chrono>
#include <condition_variable>
#include <ctime>
#include <deque>
#include <mutex>
#include <thread>
#include <unordered_set>

#include "excel/xlsx_package_parts.h"
#include "excel/xlsx_sheet_part.h"
#include "excel/xlsx_styles.h"
#include "excel/zip_writer.h"

namespace mireva::excel {

namespace {

// The compression level: on the report's sheets level 1 deflates some 410 MB/s and
// gives 18 % more bytes than the default level 6, which manages some 130 MB/s.
constexpr int kDeflateLevel = 1;
// Compressing is most of the work: two threads for it, beside the one laying out the
// sheets and writing their XML, keep both cores of a small machine busy.
constexpr int kCompressingThreads = 2;
// Parts waiting for a compressing thread: enough to keep the threads busy.
constexpr size_t kQueuedParts = 6;
// Bytes gathered before they go to the file.
constexpr size_t kWriteChunk = 1 << 20;
// The package's own parts besides the sheets; with them the archive's 65,535 entries.
constexpr int kOtherParts = 8;
constexpr int kMaxSheets = 0xFFFF - kOtherParts;
constexpr size_t kMaxSheetNameLength = 31;
// How often commit asks whether to go on while the last parts are written.
constexpr std::chrono::milliseconds kAskEvery{250};

std::string lowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// Why the file format refuses a sheet name; empty when it takes it.
std::string sheetNameProblem(const std::string& name) {
    size_t characters = 0;
    for (char c : name) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    if (characters > kMaxSheetNameLength) return "longer than 31 characters";
    if (name.find_first_of("[]:*?/\\") != std::string::npos) return "holds one of [ ] : * ? / \\";
    if (name.front() == '\'' || name.back() == '\'') return "starts or ends with an apostrophe";
    return {};
}

}  // namespace

struct XlsxWriter::State {
    explicit State(AtomicFileWriter& file)
        : file(file), zip([this](std::string_view bytes) { return buffer(bytes); }) {}

    // Written by one compressing thread at a time: the one whose part is next.
    AtomicFileWriter& file;
    std::string pending;
    ZipWriter zip;

    bool buffer(std::string_view bytes) {
        if (pending.size() + bytes.size() > kWriteChunk && !flush()) return false;
        if (bytes.size() >= kWriteChunk) return file.write(bytes);
        pending.append(bytes);
        return true;
    }
    bool flush() {
        const bool ok = pending.empty() || file.write(pending);
        pending.clear();
        return ok;
    }

    // Shared between the threads, under `lock`.
    struct Part {
        std::string name;
        std::string content;
        std::uint64_t number = 0;  // place in the archive
    };
    std::mutex lock;
    std::condition_variable changed;
    std::deque<Part> queue;
    std::uint64_t partsQueued = 0;
    std::uint64_t nextToWrite = 0;
    int running = 0;        // compressing threads not yet finished
    bool closing = false;   // no more parts: finish the archive
    bool stopping = false;  // abandon: drop what is queued
    bool done = false;      // every thread has finished (archive complete or failed)
    bool failed = false;
    std::string failure;
    std::vector<std::thread> workers;

    // Main thread.
    XlsxStyles styles;
    std::unordered_set<std::string> names;  // folded to lower case
    std::vector<std::string> sheetNames;
    std::vector<PrintAreaName> printAreas;

    void start() {
        running = kCompressingThreads;
        for (int i = 0; i < kCompressingThreads; ++i) workers.emplace_back([this] { run(); });
    }

    // A compressing thread: takes the next part, deflates it, waits for its turn and
    // appends it to the archive. The last thread to finish closes the archive.
    void run() {
        for (;;) {
            Part part;
            {
                std::unique_lock<std::mutex> l(lock);
                changed.wait(l, [&] { return stopping || failed || closing || !queue.empty(); });
                if (stopping || failed || queue.empty()) break;
                part = std::move(queue.front());
                queue.pop_front();
            }
            changed.notify_all();  // room in the queue
            const ZipEntry entry = deflateEntry(std::move(part.name), part.content, kDeflateLevel);
            part.content = std::string();
            {
                std::unique_lock<std::mutex> l(lock);
                changed.wait(l, [&] { return stopping || failed || nextToWrite == part.number; });
                if (stopping || failed) break;
            }
            const bool added = zip.add(entry);
            {
                std::lock_guard<std::mutex> l(lock);
                ++nextToWrite;
                if (!added) fail(zip.error());
            }
            changed.notify_all();
        }
        std::unique_lock<std::mutex> l(lock);
        if (--running == 0) {
            if (closing && !stopping && !failed) {
                // Every part is in: the directory closes the archive.
                l.unlock();
                const bool ok = zip.finish() && flush();
                l.lock();
                if (!ok) fail(zip.error());
            }
            done = true;
            queue.clear();
        }
        l.unlock();
        changed.notify_all();
    }
    // Under `lock`.
    void fail(const std::string& why) {
        failed = true;
        failure = why;
    }

    // Main thread: queues a part, waiting while the queue is full. False once a
    // compressing thread has failed.
    bool push(std::string name, std::string content) {
        std::unique_lock<std::mutex> l(lock);
        changed.wait(l, [&] { return done || failed || queue.size() < kQueuedParts; });
        if (done || failed) {
            changed.wait(l, [&] { return done; });  // the threads let go of the file
            return false;
        }
        queue.push_back(Part{std::move(name), std::move(content), partsQueued++});
        l.unlock();
        changed.notify_all();
        return true;
    }

    void stop() {
        {
            std::lock_guard<std::mutex> l(lock);
            stopping = true;
        }
        changed.notify_all();
        for (std::thread& t : workers)
            if (t.joinable()) t.join();
    }
    void join() {
        for (std::thread& t : workers)
            if (t.joinable()) t.join();
    }
};

XlsxWriter::XlsxWriter(std::filesystem::path target) : target_(std::move(target)), file_(target_) {}

XlsxWriter::~XlsxWriter() { abandon(); }

bool XlsxWriter::fail(std::string message) {
    failed_ = true;
    if (error_.empty()) error_ = std::move(message);
    return false;
}

// After the compressing thread stopped on a failure: the file's reason when writing
// it failed, else the archive's.
bool XlsxWriter::takeWorkerFailure() {
    std::string why;
    {
        std::lock_guard<std::mutex> l(state_->lock);
        if (!state_->failed) return false;
        why = state_->failure;
    }
    if (file_.errorNumber() != 0) {
        errorNumber_ = file_.errorNumber();
        fail(file_.error());
    } else {
        fail("cannot write the workbook: " + why);
    }
    return true;
}

bool XlsxWriter::open() {
    abandon();
    failed_ = false;
    stopped_ = false;
    error_.clear();
    errorNumber_ = 0;
    sheets_ = 0;
    // The scratch file is made now, so a target that cannot be replaced is refused
    // before any work.
    if (!file_.open()) {
        errorNumber_ = file_.errorNumber();
        return fail(file_.error());
    }
    state_ = std::make_unique<State>(file_);
    state_->start();
    return true;
}

bool XlsxWriter::addSheet(const SheetModel& sheet) {
    if (!state_ || failed_) return fail("the workbook is not open");
    if (sheet.name().empty()) return fail("a sheet has no name");
    if (sheets_ >= kMaxSheets) return fail("too many sheets for one workbook");
    if (!sheetNameProblem(sheet.name()).empty() || !state_->names.insert(lowerAscii(sheet.name())).second)
        return fail("sheet name refused: " + sheet.name());

    std::string xml;
    std::string why;
    if (!appendSheetXml(xml, sheet, state_->styles, sheets_ == 0, why)) return fail(why);
    if (!state_->push("xl/worksheets/sheet" + std::to_string(sheets_ + 1) + ".xml", std::move(xml))) {
        takeWorkerFailure();
        return false;
    }
    ++sheets_;
    state_->sheetNames.push_back(sheet.name());
    if (const auto& area = sheet.pageSetup().printArea)
        state_->printAreas.push_back(PrintAreaName{sheets_ - 1, sheet.name(), *area});
    return true;
}

bool XlsxWriter::commit(const std::function<bool()>& keepGoing) {
    if (!state_) return fail("the workbook is not open");
    if (failed_) {
        abandon();
        return false;
    }
    State& s = *state_;
    const std::vector<PrintAreaName> areas = sortedPrintAreas(s.printAreas);
    const std::pair<const char*, std::string> parts[] = {
        {"xl/workbook.xml", workbookXml(s.sheetNames, areas)},
        {"xl/theme/theme1.xml", std::string(themeXml())},
        {"xl/styles.xml", s.styles.stylesXml()},
        {"xl/_rels/workbook.xml.rels", workbookRelationshipsXml(sheets_)},
        {"docProps/app.xml", appPropertiesXml(s.sheetNames, areas)},
        {"docProps/core.xml", corePropertiesXml(std::time(nullptr))},
        {"_rels/.rels", rootRelationshipsXml()},
        {"[Content_Types].xml", contentTypesXml(sheets_)},
    };
    static_assert(std::size(parts) == kOtherParts);
    for (const auto& [name, content] : parts) {
        if (!s.push(name, content)) {
            takeWorkerFailure();
            abandon();
            return false;
        }
    }
    {
        std::unique_lock<std::mutex> l(s.lock);
        s.closing = true;
        s.changed.notify_all();
        auto nextAsk = std::chrono::steady_clock::now() + kAskEvery;
        while (!s.done) {
            s.changed.wait_until(l, nextAsk);
            if (s.done || !keepGoing || std::chrono::steady_clock::now() < nextAsk) continue;
            nextAsk += kAskEvery;
            l.unlock();
            const bool goOn = keepGoing();
            l.lock();
            if (!goOn) {
                stopped_ = true;
                break;
            }
        }
    }
    if (stopped_) {
        abandon();
        return false;
    }
    s.join();
    if (takeWorkerFailure()) {
        abandon();
        return false;
    }
    state_.reset();
    if (!file_.commit()) {
        errorNumber_ = file_.errorNumber();
        return fail(file_.error());
    }
    return true;
}

void XlsxWriter::abandon() {
    if (state_) {
        state_->stop();
        state_.reset();
    }
    file_.abandon();
}

size_t XlsxWriter::formatCount() const { return state_ ? state_->styles.formatCount() : 0; }

}  // namespace mireva::excel
