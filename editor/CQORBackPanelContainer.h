#pragma once

// The back panel's container. A press that none of its controls takes is a
// request to close the panel: it reaches the listener as the hidden tag-65
// button, the same command the meter selector's middle sends.

#include "toolkit/CViewContainer.h"

namespace VSTGUI {

class CControl;
class CControlListener;

class CQORBackPanelContainer : public CViewContainer {
public:
    static constexpr int32_t kCloseTag = 65;

    CQORBackPanelContainer(const CRect& size, CControlListener* listener, CBitmap* background);
    ~CQORBackPanelContainer() override;
    CQORBackPanelContainer(const CQORBackPanelContainer&) = delete;
    CQORBackPanelContainer& operator=(const CQORBackPanelContainer&) = delete;

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;

    CControl* getCloseButton() const { return closeButton; }

    const char* getClassName() const override { return "CQORBackPanelContainer"; }
    bool isTypeOf(const char* s) const override
    {
        return std::strcmp(s, "CQORBackPanelContainer") == 0 || CViewContainer::isTypeOf(s);
    }
    CBaseObject* newCopy() const override { return nullptr; }

private:
    CControlListener* listener;
    CControl* closeButton;  // owned, never part of the view tree
};

}  // namespace VSTGUI
