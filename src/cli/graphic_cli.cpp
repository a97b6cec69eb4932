#include "cli/graphic_cli.h"

#include <memory>

#include "cli/cli_units.h"
#include "core/graphic/graphic_codes.h"
#include "imaging/picture_convert.h"

namespace vidodez::cli {

void AddGraphicCommands(CLI::App* graphic, CliEnv& env, int* exit_code) {
  auto options = std::make_shared<imaging::ConvertOptions>();
  auto width = std::make_shared<std::string>();
  auto height = std::make_shared<std::string>();
  auto scale = std::make_shared<std::string>();
  auto no_keep_scale = std::make_shared<bool>(false);

  auto* convert = graphic->add_subcommand(
      "convert", "turn a picture into a black-and-white file (PCX, BMP, ...) of a chosen size");
  convert->add_option("IN", options->input, "the picture")->required();
  convert->add_option("OUT", options->output, "the file to write; its extension picks the format")
      ->required();
  convert->add_option("--unit", options->unit, "unit of --width and --height")
      ->check(CLI::IsMember(UnitWords(kPictureUnits)));
  convert->add_option("--dpi", options->dpi, "the printer's resolution")
      ->check(CLI::IsMember({203, 300, 600}));
  auto* width_option = convert->add_option("--width", *width, "width in --unit");
  auto* height_option = convert->add_option("--height", *height, "height in --unit");
  auto* scale_option = convert->add_option("--scale", *scale, "percent of the picture's size");
  convert->add_flag("--no-keep-scale", *no_keep_scale, "do not keep the picture's proportions");
  convert->add_option("--rotate", options->rotate, "degrees to the right")
      ->check(CLI::IsMember({0, 90, 180, 270}));
  convert->callback([=, &env] {
    if (*width_option) options->width = *width;
    if (*height_option) options->height = *height;
    if (*scale_option) options->scale = *scale;
    options->keep_scale = !*no_keep_scale;
    imaging::ConvertResult result = imaging::ConvertPictureFile(*options, env.language);
    if (result.code != kGraphicOk) {
      Fail(result.message);
      *exit_code = kExitFailed;
      return;
    }
    *exit_code =
        WriteOut(env, std::to_string(result.width) + " x " + std::to_string(result.height) + "\n");
  });
}

}  // namespace vidodez::cli
