#include "macros/x11_input_capture.h"

#include "macros/input_time.h"
#include "macros/x11_scan_codes.h"
#include "platform/debug_log.h"

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <optional>
#include <thread>
#include <vector>

namespace q31::macros {

namespace {

using platform::InputEvent;

template <typename T>
using XcbReply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T>
XcbReply<T> Owned(T* reply)
{
    return XcbReply<T>(reply, &std::free);
}

// A menu or another program may hold the keyboard for a moment.
constexpr int kGrabAttempts = 50;
constexpr auto kGrabRetryPause = std::chrono::milliseconds(10);

constexpr std::uint32_t kRawKeys = XCB_INPUT_XI_EVENT_MASK_RAW_KEY_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_KEY_RELEASE;

bool HasRawInput(xcb_connection_t* connection)
{
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_input_id);
    if (extension == nullptr || !extension->present)
        return false;
    // 2.1 and later also deliver raw events to a client that does not hold the grab.
    const auto version = Owned(xcb_input_xi_query_version_reply(
        connection, xcb_input_xi_query_version(connection, 2, 2), nullptr));
    return version && version->major_version >= 2;
}

bool SelectRawEvents(xcb_connection_t* connection, xcb_window_t root)
{
    struct {
        xcb_input_event_mask_t head;
        std::uint32_t bits;
    } mask{{XCB_INPUT_DEVICE_ALL_MASTER, 1},
           kRawKeys | XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_RELEASE};
    const auto error = Owned(xcb_request_check(
        connection, xcb_input_xi_select_events_checked(connection, root, 1, &mask.head)));
    return !error;
}

std::vector<xcb_input_device_id_t> MasterKeyboards(xcb_connection_t* connection)
{
    std::vector<xcb_input_device_id_t> keyboards;
    const auto devices = Owned(xcb_input_xi_query_device_reply(
        connection, xcb_input_xi_query_device(connection, XCB_INPUT_DEVICE_ALL_MASTER), nullptr));
    if (!devices)
        return keyboards;
    for (auto info = xcb_input_xi_query_device_infos_iterator(devices.get()); info.rem > 0;
         xcb_input_xi_device_info_next(&info)) {
        if (info.data->type == XCB_INPUT_DEVICE_TYPE_MASTER_KEYBOARD)
            keyboards.push_back(info.data->deviceid);
    }
    return keyboards;
}

// An XInput2 grab rather than a core one: X gives a core grab's owner no raw
// key events. Other programs see the keyboard grabbed all the same.
bool GrabKeyboard(xcb_connection_t* connection, xcb_window_t root, xcb_input_device_id_t keyboard)
{
    for (int attempt = 0; attempt < kGrabAttempts; ++attempt) {
        const auto reply = Owned(xcb_input_xi_grab_device_reply(
            connection,
            xcb_input_xi_grab_device(connection, root, XCB_CURRENT_TIME, XCB_CURSOR_NONE, keyboard,
                                     XCB_INPUT_GRAB_MODE_22_ASYNC, XCB_INPUT_GRAB_MODE_22_ASYNC,
                                     XCB_INPUT_GRAB_OWNER_NO_OWNER, 1, &kRawKeys),
            nullptr));
        if (!reply)
            return false;
        if (reply->status == XCB_GRAB_STATUS_SUCCESS)
            return true;
        if (reply->status != XCB_GRAB_STATUS_ALREADY_GRABBED && reply->status != XCB_GRAB_STATUS_FROZEN)
            return false;
        std::this_thread::sleep_for(kGrabRetryPause);
    }
    return false;
}

bool IsRecordedButton(std::uint32_t button)
{
    switch (button) {
    case InputEvent::kLeft:
    case InputEvent::kMiddle:
    case InputEvent::kRight:
    case InputEvent::kBack:
    case InputEvent::kForward:
        return true;
    default:
        return false;  // the wheel's 4-7 among them
    }
}

}  // namespace

struct X11InputCapture::Session {
    xcb_connection_t* connection = nullptr;
    xcb_window_t root = 0;
    std::uint8_t xinputOpcode = 0;
    std::vector<xcb_input_device_id_t> grabbed;
    int wakeFd = -1;
    Sink sink;
    std::thread thread;

    ~Session()
    {
        if (thread.joinable()) {
            const std::uint64_t one = 1;
            [[maybe_unused]] const ssize_t written = write(wakeFd, &one, sizeof one);
            thread.join();
        }
        if (wakeFd >= 0)
            close(wakeFd);
        for (const xcb_input_device_id_t keyboard : grabbed)
            xcb_input_xi_ungrab_device(connection, XCB_CURRENT_TIME, keyboard);
        // A round trip, so that the keyboard is free once Stop returns; closing
        // the connection would release the grab as well, but in the server's time.
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
        xcb_disconnect(connection);
    }

    void Run()
    {
        for (;;) {
            while (xcb_generic_event_t* raw = xcb_poll_for_event(connection)) {
                const auto event = Owned(raw);
                if (const std::optional<InputEvent> input = Translate(*event))
                    sink(*input);
            }
            if (xcb_connection_has_error(connection)) {
                OutputDebugText(QStringLiteral("input capture: connection to the X display lost"));
                return;
            }
            std::array<pollfd, 2> waits{{{xcb_get_file_descriptor(connection), POLLIN, 0}, {wakeFd, POLLIN, 0}}};
            if (poll(waits.data(), waits.size(), -1) < 0 && errno != EINTR)
                return;
            if (waits[1].revents != 0)
                return;
        }
    }

    std::optional<InputEvent> Translate(const xcb_generic_event_t& event)
    {
        if ((event.response_type & 0x7F) != XCB_GE_GENERIC)
            return std::nullopt;  // the grab's own key events among them
        const auto& generic = reinterpret_cast<const xcb_ge_generic_event_t&>(event);
        if (generic.extension != xinputOpcode)
            return std::nullopt;
        // The four raw events share one layout.
        const auto& rawEvent = reinterpret_cast<const xcb_input_raw_key_press_event_t&>(event);
        InputEvent input;
        input.timeMs = InputTimeMs();
        switch (generic.event_type) {
        case XCB_INPUT_RAW_KEY_PRESS:
        case XCB_INPUT_RAW_KEY_RELEASE: {
            const std::optional<ScanCode> scan = ScanCodeFromX11Keycode(static_cast<int>(rawEvent.detail));
            if (!scan)
                return std::nullopt;
            input.kind = InputEvent::Kind::Key;
            input.down = generic.event_type == XCB_INPUT_RAW_KEY_PRESS;
            input.scan = scan->code;
            input.extended = scan->extended;
            return input;
        }
        case XCB_INPUT_RAW_BUTTON_PRESS:
        case XCB_INPUT_RAW_BUTTON_RELEASE: {
            if (!IsRecordedButton(rawEvent.detail))
                return std::nullopt;
            input.kind = InputEvent::Kind::Button;
            input.down = generic.event_type == XCB_INPUT_RAW_BUTTON_PRESS;
            input.button = static_cast<int>(rawEvent.detail);
            // Raw events carry no position; the pointer has hardly moved since.
            const auto pointer =
                Owned(xcb_query_pointer_reply(connection, xcb_query_pointer(connection, root), nullptr));
            if (pointer) {
                input.x = pointer->root_x;
                input.y = pointer->root_y;
            }
            return input;
        }
        default:
            return std::nullopt;
        }
    }
};

X11InputCapture::X11InputCapture() = default;

X11InputCapture::~X11InputCapture() = default;

X11InputCapture::Start X11InputCapture::Begin(const std::string& displayName, Sink sink)
{
    Stop();
    if (displayName.empty())
        return Start::NoDisplay;
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(displayName.c_str(), &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return Start::NoDisplay;
    }
    auto session = std::make_unique<Session>();
    session->connection = connection;
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int skip = 0; skip < screenNumber && screens.rem > 0; ++skip)
        xcb_screen_next(&screens);
    if (screens.rem == 0)
        return Start::NoDisplay;
    session->root = screens.data->root;
    if (!HasRawInput(connection) || !SelectRawEvents(connection, session->root))
        return Start::NoRawInput;
    session->xinputOpcode = xcb_get_extension_data(connection, &xcb_input_id)->major_opcode;
    const std::vector<xcb_input_device_id_t> keyboards = MasterKeyboards(connection);
    if (keyboards.empty())
        return Start::NoRawInput;
    for (const xcb_input_device_id_t keyboard : keyboards) {
        if (!GrabKeyboard(connection, session->root, keyboard))
            return Start::GrabRefused;
        session->grabbed.push_back(keyboard);
    }
    session->wakeFd = eventfd(0, EFD_CLOEXEC);
    if (session->wakeFd < 0)
        return Start::NoRawInput;
    session->sink = std::move(sink);
    session->thread = std::thread([raw = session.get()] { raw->Run(); });
    m_session = std::move(session);
    return Start::Capturing;
}

void X11InputCapture::Stop()
{
    m_session.reset();
}

bool X11InputCapture::IsCapturing() const
{
    return m_session != nullptr;
}

}  // namespace q31::macros
