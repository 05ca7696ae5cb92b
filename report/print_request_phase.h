#pragma once

#include <cstdint>

// Where a print request stands. Each phase says what the request holds and
// what a further Print may do: only an idle request starts anything, and an
// open preview lets its print button start one printer job. Producing,
// HandingOver and Following are the steps of the running print job.
enum class TppRequestPhase : std::uint8_t {
    Idle,
    // The preview window is open; its pages are made as the viewer asks.
    PreviewShown,
    // The preview window is being destroyed and fires its closing events.
    PreviewClosing,
    // The print dialog asks for printer, pages and copies.
    DialogOpen,
    // The device and the cancel dialog are ready; no page made yet.
    Starting,
    // The engine makes pages for the devices.
    Producing,
    // The devices end their documents and hand them to the print server.
    HandingOver,
    // The print server has the document; the job waits to hear how it went.
    Following,
    // The job is over: the setup is restored and the job's objects released.
    Ending,
};

// The phase's name, for messages and test output.
const char *RequestPhaseName(TppRequestPhase phase);
