#pragma once

#include <string>

#include "inspect/report_reader.h"
#include "inspect/text_decoding.h"

class Output;
class Problems;
class SecretMasker;

// Copies the report `fileName` to `output` masked as configreport-batch --mask (with `names`,
// --mask-names) masks a report while writing it: each line of an embedded text goes through
// `secrets` without its "<BR>", each line through the names of the report's own facts with
// `names`, and the masked report's notice stands under the mail box. Every other line keeps its
// bytes as the file holds them, in whatever code page; `decoding` only serves to tell the
// lines' roles. A line that has no place where it stands is masked as a text line, since a
// secret there is still one. The report streams through; what cannot be read is noted on
// `problems` with its line. A failed write stops the copy, with the failure on `output`.
ReadOutcome maskReport(const std::string& fileName, const TextDecoding& decoding, bool names,
                       SecretMasker& secrets, Output& output, Problems& problems);
