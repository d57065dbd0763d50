#include "support/form_position.h"

#include "platform/machine/machine.h"

ScreenMetrics CurrentScreen() {
  constexpr double kTwipsPerPixel = 15;
  const platform::Machine* machine = platform::CurrentMachine();
  platform::MachineDescription fallback;
  const platform::MachineDescription& description = machine ? machine->description() : fallback;
  return {description.screenWidth * kTwipsPerPixel, description.screenHeight * kTwipsPerPixel, kTwipsPerPixel,
          kTwipsPerPixel};
}
