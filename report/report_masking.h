#pragma once

#include <string>
#include <string_view>

#include "report/secret_mask.h"

// Masking of the report while a ReportMasking lives, for the whole program: the secrets in the
// texts of the embedded configuration, log and data files, and with `names` also the user's
// and the computer's names in every text the tool writes to its files (the report, its
// temporary lists, the log). Without one the report is written exactly as ever, and no masker
// is on its path.
class ReportMasking {
public:
    explicit ReportMasking(bool names);
    ~ReportMasking();
    ReportMasking(const ReportMasking&) = delete;
    ReportMasking& operator=(const ReportMasking&) = delete;

    bool masksNames() const { return names_; }
    SecretMasker& secrets() { return secrets_; }

private:
    bool names_;
    SecretMasker secrets_;
};

// The masker of the embedded files' texts while a ReportMasking lives; null otherwise.
SecretMasker* embeddedTextMasker();

// The line a masked report holds under its mail box, so that its reader knows that "********"
// is not the real value (and, with `names`, what "[user]" and "[computer]" stand for).
std::string maskNotice(bool names);
// Whether `line` is that line, with or without the names.
bool isMaskNotice(std::string_view line);

// That line while a ReportMasking lives; empty otherwise.
std::string maskNoticeLine();
