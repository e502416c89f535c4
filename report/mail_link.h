#pragma once

#include <string>

// The maker's support desk; the report shows it and its mail link writes to it.
constexpr const char* kSupportMailAddress = "support@morvasoftware.com";

// The text for use inside the mail link: each space becomes "&nbsp;", CR and LF are dropped,
// everything else is kept as it is (nothing is escaped).
std::string TextToHtml(const std::string& text);

// "mailto:" + address + "?subject=" + program name + "_" + version + "&body=" + a body that asks
// for the report file gReportPath to be attached. Only the body passes through TextToHtml.
std::string GetSupportMailLink();
