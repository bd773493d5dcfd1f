#include "ingest/aggregation_run.h"

#include <memory>

#include "core/cp932.h"
#include "core/file_io.h"
#include "core/text.h"
#include "core/worksheet_file_writer.h"
#include "ingest/error_log.h"
#include "ingest/location_table.h"
#include "ingest/measurement_file_reader.h"
#include "ingest/meter_path.h"
#include "ingest/place_accumulator.h"
#include "ingest/worksheet_writer.h"

namespace mireva {
namespace fs = std::filesystem;

int aggregationRun(RunRecord& record, const RunMessageSink& showMessage) {
    record.placesWritten = record.filesRead = record.missingFiles = record.nonAggregatable = 0;
    const ErrorLog log(record.errorLogPath);
    log.begin();
    // Every end of the run, completed or not, says once that the log could not be
    // written, so that an empty log is not taken for a run without problems.
    auto finish = [&](int result) {
        if (showMessage && !log.failure().empty())
            showMessage(sj("エラーログを書き込めません") + "\n" + pathText(log.path()) + "\n" + toCp932(log.failure()));
        return result;
    };

    // The new worksheet is written beside the old one and replaces it in one step when
    // the run completes; an aborted or failed run leaves the previous worksheet (and so
    // the grid that shows it) as it was.
    WorksheetFileWriter worksheet(record.worksheetPath);
    auto cannotWrite = [&]() {
        if (showMessage)
            showMessage(sj("集計結果を書き込めません") + "\n" + pathText(record.worksheetPath) + "\n" +
                        toCp932(worksheet.error()));
        return finish(1);
    };
    if (!worksheet.open() || !worksheet.writeLines(worksheetHeaderLines(record.channelWanted))) return cannotWrite();

    LocationTable table;
    if (!table.load(record.locationTablePath)) {
        log.append(pathText(record.locationTablePath), sj("ファイルを開けません"));
        return finish(1);
    }

    Sj folderText = pathText(record.dataFolder);
    if (folderText.empty() || folderText.bytes.back() != '/') folderText += "/";

    FolderListings listings;
    auto acc = std::make_unique<PlaceAccumulator>();
    PlaceItems place;
    std::string block;
    while (table.nextPlace(place)) {
        acc->clear();
        // Last item first: every value read overwrites, so the item listed first wins.
        for (auto it = place.numbers.rbegin(); it != place.numbers.rend(); ++it) {
            const ItemPath item = table.resolveItemPath(*it);
            if (item.skip) {
                ++record.nonAggregatable;
                continue;
            }
            const Sj label = folderText + SjView{item.relative};
            // An item naming a path outside the data folder (an absolute path, a parent
            // folder) is not followed: it is logged and counted like a missing file.
            if (!staysInFolder(item.components)) {
                log.append(label, sj("ファイルを開けません"));
                ++record.missingFiles;
                continue;
            }
            // The exact path first; only when it fails are the folders searched for the
            // components in another letter case.
            const fs::path path = exactMeterPath(record.dataFolder, item.components);
            auto otherCase = [&]() { return locateMeterFile(record.dataFolder, item.components, &listings); };
            if (readMeasurementFile(path, place.name, *acc, log, label, otherCase))
                ++record.filesRead;
            else
                ++record.missingFiles;
        }
        if (acc->date.empty()) continue;  // no 日付 line: the place gives no rows
        block.clear();
        appendPlaceBlock(block, *acc, record.channelWanted, record.summary);
        if (!worksheet.writeLines(block)) return cannotWrite();
        ++record.placesWritten;
    }
    if (!worksheet.commit()) return cannotWrite();

    if (showMessage) {
        if (record.missingFiles > 0) showMessage(sj("存在しないファイルがありました\n飛ばして集計を行います"));
        if (record.nonAggregatable > 0)
            showMessage(sj("「データロガー」「PNG」「MP4」は集計できません\n飛ばして集計を行います"));
    }
    return finish(0);
}

}  // namespace mireva
