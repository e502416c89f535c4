#include "toolkit/tell_and_go_on.h"

#include "toolkit/log.h"
#include "toolkit/program_state.h"
#include "toolkit/ui/ui.h"

void tellAndGoOn(const std::string& text) {
    MsgBox(text);
    gLog().log(text, 0);
}
