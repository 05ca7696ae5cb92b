#pragma once

class TppDrawCommand;

// What a draw command needs of a device: drawing a command, and redrawing a
// text whose content changed after the page was drawn (page totals).
class TppDrawTarget {
public:
    virtual ~TppDrawTarget() = default;

    // True when the target drew the command.
    virtual bool RenderCommand(TppDrawCommand &command) = 0;
    virtual bool RefreshText(TppDrawCommand &command) = 0;
};
