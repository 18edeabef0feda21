#pragma once

// What the user sees of a device scan: the question before retrying a scan
// that never finished, and the window shown while devices are probed.
class ScanUi {
public:
    virtual ~ScanUi() = default;
    // Asks question 9103 ("MCI Scan", Yes and No); true on Yes.
    virtual bool AskRetryScan() = 0;
    // Shows the scanning window; false when it could not be created.
    virtual bool ShowScanWindow() = 0;
    // Destroys the scanning window if it exists.
    virtual void HideScanWindow() = 0;
};
