// CPostedCalls: calls queued on the window thread and carried out in order once the message loop
// takes the message posted for them. A handler that asks for work that would change its own
// window (empty the list it is notifying about, move a selection in its own timer) posts it: the
// work runs after the handler has returned. A message-only window receives the message; calls
// still waiting when the object goes are dropped.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>

class CPostedCalls {
public:
    CPostedCalls() = default;
    ~CPostedCalls();
    CPostedCalls(const CPostedCalls&) = delete;
    CPostedCalls& operator=(const CPostedCalls&) = delete;

    // Queues call behind those waiting; one message is posted for all of them.
    void Post(std::function<void()> call);
    bool HasWaiting() const { return !m_calls.empty(); }
    // Carries out every waiting call now, oldest first, with those they post in turn.
    void RunWaiting();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr; // made at the first Post
    std::deque<std::function<void()>> m_calls;
    bool m_bPosted = false; // a message is on its way
};
