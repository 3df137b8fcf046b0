#pragma once
// The process-wide skin-change notification: the skin pop-up broadcasts the
// background the user chose, the main window receives it.
#include "platform/win_types.h"

#include <QString>

#include <algorithm>
#include <vector>

namespace q31::app {

struct SkinChangedParam {
    bool colourChosen = false;  // false: an image
    DWORD colour = 0;           // 0xAARRGGBB, with colourChosen
    QString image;              // skin-relative or a full path, without colourChosen
};

template <class Result, class Param>
class ReceiverImpl {
public:
    virtual ~ReceiverImpl() = default;
    virtual Result Receive(Param param) = 0;
};

// Calls its receivers in the order they were added.
template <class Result, class Param>
class ObserverImpl {
public:
    using Receiver = ReceiverImpl<Result, Param>;

    void AddReceiver(Receiver* receiver)
    {
        if (std::ranges::find(m_receivers, receiver) == m_receivers.end())
            m_receivers.push_back(receiver);
    }
    void RemoveReceiver(Receiver* receiver) { std::erase(m_receivers, receiver); }
    void Broadcast(Param param)
    {
        // A copy: a receiver may leave while it is called.
        const std::vector<Receiver*> receivers = m_receivers;
        for (Receiver* receiver : receivers)
            receiver->Receive(param);
    }

private:
    std::vector<Receiver*> m_receivers;
};

using SkinChangeObserver = ObserverImpl<int, SkinChangedParam>;
using SkinChangeReceiver = ReceiverImpl<int, SkinChangedParam>;

// The one broadcaster of the program (UI thread only).
SkinChangeObserver& SkinChanges();

}  // namespace q31::app
