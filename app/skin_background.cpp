#include "app/skin_background.h"

#include "app/skin_choice_file.h"
#include "ui/container_ui.h"
#include "ui/image_string.h"

namespace q31::app {

SkinChangeObserver& SkinChanges()
{
    static SkinChangeObserver observer;
    return observer;
}

CSkinBackground::CSkinBackground(std::function<CContainerUI*()> root) : m_root(std::move(root))
{
    SkinChanges().AddReceiver(this);
}

CSkinBackground::~CSkinBackground()
{
    SkinChanges().RemoveReceiver(this);
}

int CSkinBackground::Receive(SkinChangedParam param)
{
    CContainerUI* root = m_root();
    if (!root)
        return 0;
    if (param.colourChosen) {
        root->SetBkColor(param.colour);
        root->SetBkImage(QString());
        return 1;
    }
    // A path no image string can carry shows no image rather than a wrong one.
    root->SetBkColor(0);
    root->SetBkImage(q31::ui::ImageStringOfFile(param.image).value_or(QString()));
    return 1;
}

void CSkinBackground::ApplyStoredChoice()
{
    if (const std::optional<SkinChangedParam> stored = ReadSkinChoice())
        Receive(*stored);
}

}  // namespace q31::app
