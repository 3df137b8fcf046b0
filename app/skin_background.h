#pragma once
// The main window's side of the skin change: the chosen background goes onto
// its control "root" (a container); the stored choice is applied at start.
#include "app/skin_change.h"

#include <functional>

class CContainerUI;

namespace q31::app {

class CSkinBackground : public SkinChangeReceiver {
public:
    // root finds the control at each change; null ignores the change.
    explicit CSkinBackground(std::function<CContainerUI*()> root);
    ~CSkinBackground() override;
    CSkinBackground(const CSkinBackground&) = delete;
    CSkinBackground& operator=(const CSkinBackground&) = delete;

    int Receive(SkinChangedParam param) override;
    void ApplyStoredChoice();

private:
    std::function<CContainerUI*()> m_root;
};

}  // namespace q31::app
