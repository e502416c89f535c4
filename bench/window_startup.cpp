#include "bench/window_startup.h"

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "app/frm_report_configuration.h"
#include "report/candidate_folders.h"
#include "toolkit/ui/controls.h"

int runWindowStartup(int argc, char** argv, void (*drawPending)()) {
    const bool hidden = argc == 3 && std::string(argv[1]) == "--hidden";
    if (argc != (hidden ? 3 : 2)) {
        std::cerr << "usage: cr-window-startup [--hidden] FOLDER\n";
        return 2;
    }
    setProductFoldersForTesting(std::vector<std::string>{argv[argc - 1]});
    frmReportConfiguration form;
    if (!hidden)
        form.window().show();
    form.Form_Load();
    drawPending();
    std::cout << form.window().findAs<ListView>("lvFolders")->ListItems().Count() << std::endl;
    // Start-up ends here. Closing the window is not part of it, and under Wine without a
    // window manager closing alone waits 2 s for the window to be withdrawn.
    std::_Exit(0);
}
