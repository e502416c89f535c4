#include <nlohmann/json.hpp>

#include <memory>
#include <sstream>
#include <string>

#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_targets.h"
#include "inspect/json_export.h"
#include "inspect/json_writer.h"
#include "inspect/output.h"
#include "inspect/problems.h"
#include "inspect/report_reader.h"
#include "tests/support/temp_folder.h"
#include "toolkit/os/file_system.h"

namespace {

const std::string& scratchFile() {
    static const TempFolder folder;
    static const std::string name = folder.file("report.htm");
    return name;
}

// The text of every embedded file, counted as it comes.
class CountingExport : public JsonExport {
public:
    using JsonExport::JsonExport;
    void embeddedLine(std::string_view text) override {
        ++lines;
        JsonExport::embeddedLine(text);
    }
    void embeddedLines(std::string_view run) override {
        forEachTextLine(run, [this](std::string_view) { ++lines; });
        JsonExport::embeddedLines(run);
    }
    void embeddedEnd(const EmbeddedEnd& end) override {
        fuzzCheck(end.lines == lines, "an embedded file counts the lines it handed out");
        lines = 0;
        JsonExport::embeddedEnd(end);
    }
    std::uint64_t lines = 0;
};

}  // namespace

void fuzzReportReader(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    // The first byte picks how the report is decoded: by guess, or in one of two code pages.
    const unsigned codePages[] = {0, 1251, 932};
    const TextDecoding decoding{codePages[in.byte() % 3]};
    const std::string bytes = in.rest();
    {
        osfs::File out;
        fuzzCheck(out.open(scratchFile(), osfs::OpenMode::Write), "scratch file opens");
        fuzzCheck(out.write(bytes.data(), bytes.size()) && out.close(), "scratch file written");
    }
    std::ostringstream exported;
    const std::unique_ptr<Output> output = streamOutput(exported);
    JsonWriter json(*output);
    Problems problems;
    CountingExport exporter(json, problems);
    const ReadOutcome outcome = readReport(scratchFile(), decoding, exporter, problems);
    fuzzCheck(json.flush(), "the export is written");
    const nlohmann::json parsed = nlohmann::json::parse(exported.str(), nullptr, false);
    fuzzCheck(!parsed.is_discarded(), "the export is JSON");
    fuzzCheck(parsed["complete"] == (outcome.whole && problems.count() == 0),
              "the export says whether the report was read whole");
    fuzzCheck(parsed["problemCount"] == problems.count(), "the export counts every problem");
    fuzzCheck(!outcome.whole || outcome.usable, "a report read whole is usable");
}
