#include "report/print_request_phase.h"

const char *RequestPhaseName(TppRequestPhase phase)
{
    switch (phase) {
    case TppRequestPhase::Idle:
        return "idle";
    case TppRequestPhase::PreviewShown:
        return "preview shown";
    case TppRequestPhase::PreviewClosing:
        return "preview closing";
    case TppRequestPhase::DialogOpen:
        return "dialog open";
    case TppRequestPhase::Starting:
        return "starting";
    case TppRequestPhase::Producing:
        return "producing";
    case TppRequestPhase::HandingOver:
        return "handing over";
    case TppRequestPhase::Following:
        return "following";
    case TppRequestPhase::Ending:
        return "ending";
    }
    return "unknown";
}
