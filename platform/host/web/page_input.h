// The page's keyboard and mouse, handed to the web host as they arrive.
#pragma once

namespace platform::web {

class WebHost;

// Starts (or, with nullptr, stops) sending the page's input to the host.
void ListenToPage(WebHost* host);

}  // namespace platform::web
