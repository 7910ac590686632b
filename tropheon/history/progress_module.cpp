// The progress module: the progress window behind the one function the manager resolves.

#include "progress_module.h"

#include "progress_window.h"

extern "C" Q_DECL_EXPORT void troShowProgress(tro::Services& services, tro::History& history,
                                              const tro::ProgressRequest& request,
                                              QWidget* parent) {
    tro::ProgressWindow window(services, history, request, parent);
    window.exec();
}
