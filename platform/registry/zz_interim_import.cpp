#include "platform/registry/registry_import.h"
namespace platform::registry {
void ImportRegistryText(Machine&, std::string_view, std::string_view) {}
}
