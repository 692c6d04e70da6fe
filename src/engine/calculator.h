#pragma once

#include "engine/worker_console.h"

#include <QObject>

namespace tarvik {

class frmCalc;

// The creatable worker class, "Tarvik.Calculator". Creating one starts a new
// thread with its own event loop and its worker window; the Calculator is
// only the caller's handle on it and may be released right after Init.
class Calculator : public QObject {
    Q_OBJECT
public:
    static constexpr const char *ProgId = "Tarvik.Calculator";

    // Makes "Tarvik.Calculator" creatable.
    static void registerClass();

    // Hands the worker its range; returns once the worker has stored it.
    void Init(WorkerConsole *console, std::int16_t threadID, std::int32_t Low, std::int32_t High, bool cache,
              bool quiet, char decimalSeparator);

private:
    explicit Calculator(frmCalc *form);
    static std::unique_ptr<QObject> create();

    frmCalc *m_form;
};

} // namespace tarvik
