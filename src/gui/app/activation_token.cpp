#include "gui/app/activation_token.h"

#include <wayland-client.h>

#include <cstring>
#include <optional>

// The protocol's client side as wayland-scanner writes it; its interfaces are used only here.
#include "xdg-activation-v1-client-protocol.h"
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wattributes"  // its hidden visibility, after the header's extern
extern "C" {
#include "xdg-activation-v1-protocol.c"  // NOLINT(bugprone-suspicious-include)
}
#pragma GCC diagnostic pop

namespace p330::gui {

namespace {

constexpr int kRoundTrips = 3;  // compositors answer a token's commit at once

void add_global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    auto* activation = static_cast<xdg_activation_v1**>(data);
    if (*activation == nullptr && std::strcmp(interface, xdg_activation_v1_interface.name) == 0)
        *activation = static_cast<xdg_activation_v1*>(
            wl_registry_bind(registry, name, &xdg_activation_v1_interface, 1));
}

void remove_global(void*, wl_registry*, uint32_t) {}

const wl_registry_listener kRegistryListener{add_global, remove_global};

void token_done(void* data, xdg_activation_token_v1*, const char* token) {
    *static_cast<std::optional<std::string>*>(data) = token;
}

const xdg_activation_token_v1_listener kTokenListener{token_done};

}  // namespace

std::string request_activation_token(const std::string& app_id) {
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) return {};
    xdg_activation_v1* activation = nullptr;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kRegistryListener, &activation);
    std::optional<std::string> token;
    if (wl_display_roundtrip(display) >= 0 && activation != nullptr) {
        // No surface and no input serial: this start has neither. The compositor decides what
        // such a token may do.
        xdg_activation_token_v1* request = xdg_activation_v1_get_activation_token(activation);
        xdg_activation_token_v1_add_listener(request, &kTokenListener, &token);
        xdg_activation_token_v1_set_app_id(request, app_id.c_str());
        xdg_activation_token_v1_commit(request);
        for (int i = 0; i < kRoundTrips && !token; ++i) {
            if (wl_display_roundtrip(display) < 0) break;
        }
        xdg_activation_token_v1_destroy(request);
    }
    if (activation != nullptr) xdg_activation_v1_destroy(activation);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return token.value_or(std::string());
}

}  // namespace p330::gui
