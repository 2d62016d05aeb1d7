// Opens the forwarding and barring dialogs from the main frame's commands.
#pragma once

namespace corvant {

class CCorvantApp;
class CallServiceEngine;

// Needs the application's main frame (after InitInstance). engine must outlive the frame.
void installCallServiceDialogs(CCorvantApp& app, CallServiceEngine& engine);

} // namespace corvant
