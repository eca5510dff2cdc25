#pragma once

#include "cli/RenderRequest.h"

namespace CLI {
class App;
}

namespace tandry {

// The options of `tandry-widget render`: a family, colour scheme, entry,
// instant and scale, and the output file, whose extension must be one that
// the card can be written as (PNG, SVG, PDF, or JSON for the laid-out tree).
// Reading them needs no drawing library, so usage errors are told by the
// command line itself; drawCard (CardDrawing.h) carries a request out.
class RenderCommand {
public:
    // Adds the subcommand and its options to `app`; the values land here, so
    // the command must outlive the parse.
    explicit RenderCommand(CLI::App& app);

    bool parsed() const;

    const RenderRequest& request() const { return request_; }

private:
    CLI::App* command_ = nullptr;
    RenderRequest request_;
};

} // namespace tandry
