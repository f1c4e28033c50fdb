// The description of kv3ctl's commands, in English and Simplified Chinese.
// Change it with the command: a new option goes here and into the command's
// option list at the same time.
#include "reference.h"

#include "cli.h"

// The entries name only the fields they set; the others keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace kv3ctl {

namespace {

const OptionHelp kLang{.name = "--lang",
                       .value = "L",
                       .kind = ValueKind::Choice,
                       .choices = "en zh-Hans zh-Hant",
                       .help = {"the language of the messages and captions: en (the default), "
                                "zh-Hans or zh-Hant",
                                "消息和标题的语言：en（默认）、zh-Hans 或 zh-Hant"}};

const OptionHelp kPort{.name = "--port",
                       .value = "PORT",
                       .kind = ValueKind::Port,
                       .help = {"the radio's port: a serial device such as /dev/ttyUSB0, "
                                "COM1..COM20, or `sim`, the built-in simulated radio",
                                "电台的端口：串口设备（如 /dev/ttyUSB0）、COM1..COM20，"
                                "或内置的模拟电台 `sim`"},
                       .required = true};

const OptionHelp kYes{.name = "--yes",
                      .help = {"answer yes to the band question \"Frequency band with "
                               "discrepancies, do you wish to continue?\"",
                               "对频段问题“频段不符，是否继续？”回答“是”"}};

const OptionHelp kTuning{
    .name = "--tuning",
    .help = {"also write the transmit power levels (47 blocks instead of "
             "46), as with the maintenance features unlocked",
             "同时写入发射功率电平（47 块而不是 46 块），与解锁维护功能后相同"}};

const ExitCodeHelp kOk{kExitOk, {"success", "成功"}};
const ExitCodeHelp kUsageError{
    kExitUsage,
    {"a usage error: an unknown option, an option given twice, a missing or surplus argument",
     "用法错误：未知选项、重复给出的选项、缺少或多余的参数"}};
const ExitCodeHelp kFileError{
    kExitFile, {"FILE cannot be read or is not a codeplug", "文件无法读取或不是写频文件"}};
const ExitCodeHelp kRadioFailure{
    kExitFailure,
    {"the port does not open, the radio does not answer within three seconds, answers as "
     "another model, or goes away during the session",
     "端口打不开、电台在三秒内没有应答、应答的是其他型号，或通信中设备断开"}};

// A session ended by a signal: 128 + the signal's number.
const ExitCodeHelp kSignalExits[] = {
    {130,
     {"Ctrl+C (SIGINT) ended the session: the radio got its end byte, nothing was saved",
      "Ctrl+C（SIGINT）结束了通信：电台收到了结束字节，没有保存任何文件"}},
    {143, {"SIGTERM ended the session, as with 130", "SIGTERM 结束了通信，同 130"}},
    {129, {"SIGHUP ended the session, as with 130", "SIGHUP 结束了通信，同 130"}},
};

const OptionHelp kForce{.name = "--force",
                        .help = {"replace FILE also when it exists and is no codeplug (a channel "
                                 "list, notes); an empty file is always replaced",
                                 "即使 FILE 已存在且不是写频文件（信道表、笔记等）也替换它；"
                                 "空文件总是可以替换"}};

Reference MakeReference() {
  Reference r;
  r.summary = {"the KV-3(T2) programming software on the command line",
               "命令行上的 KV-3(T2) 写频软件"};
  r.description = {
      "kv3ctl reads, edits, compares and writes the programming of KV-3(T2) handheld radios "
      "with the rules of the desktop program kv3-programmer: the same codeplug files (.DAT), "
      "the same checks of frequencies and tones, the same messages in English, Simplified "
      "or Traditional Chinese. It talks to a radio over a serial programming cable, to "
      "kv3-radio-sim on a pseudo-terminal, or to the built-in simulated radio `sim`.\n\n"
      "Messages and progress go to stderr; what a command prints as its result goes to stdout.",
      "kv3ctl 按桌面程序 kv3-programmer 的规则读取、编辑、比较和写入 KV-3(T2) "
      "手持对讲机的编程数据：同样的写频文件（.DAT）、同样的频率与亚音检查、同样的"
      "英文、简体或繁体中文消息。它通过串口写频线与电台通信，也可以连接伪终端上的 "
      "kv3-radio-sim，或内置的模拟电台 `sim`。\n\n"
      "消息和进度输出到 stderr；命令的结果输出到 stdout。"};

  r.commands.push_back(
      {.name = "show",
       .arguments = {{"FILE", ValueKind::Codeplug}},
       .summary = {"print a codeplug as the windows show it", "按窗口的样子显示写频文件"},
       .description =
           {"Prints the channel grid exactly as the main window shows it (rows 01..16, blank "
            "rows for empty channels), then the band, the six function settings and the values "
            "of the feature dialogs, each with the caption its window uses.",
            "按主窗口的样子显示信道表（01..16 行，空信道为空行），然后显示频段、六项功能设置"
            "和各功能对话框的值，每项都使用其窗口中的标题。"},
       .options = {kLang,
                   {.name = "--json",
                    .help = {"print the same as one JSON document",
                             "以一个 JSON 文档输出同样的内容"}}},
       .exitCodes = {kOk, kUsageError, kFileError}});

  r.commands.push_back(
      {.name = "new",
       .summary = {"save a codeplug with the start-up values", "保存一个具有启动默认值的写频文件"},
       .description = {"Saves a new codeplug with the values the main window starts with, or "
                       "with --demo the demo codeplug that the simulated radio holds. An "
                       "existing file is replaced atomically.",
                       "保存一个新的写频文件，内容为主窗口启动时的值；使用 --demo "
                       "时为模拟电台中的演示数据。已有的文件会被原子地替换。"},
       .options = {{.name = "-o",
                    .value = "FILE",
                    .kind = ValueKind::Codeplug,
                    .help = {"the codeplug file to write", "要写入的写频文件"},
                    .required = true},
                   {.name = "--demo",
                    .help = {"the demo codeplug instead of the start-up values",
                             "使用演示数据而不是启动默认值"}},
                   kForce,
                   kLang},
       .exitCodes = {kOk,
                     kUsageError,
                     {kExitFile,
                      {"FILE cannot be written, or exists and is no codeplug (see --force)",
                       "文件无法写入，或已存在且不是写频文件（见 --force）"}}}});

  r.commands.push_back(
      {.name = "read",
       .summary = {"read a radio into a codeplug file", "读频：把电台的数据读入写频文件"},
       .description =
           {"Reads the radio's 848-byte memory on PORT and saves it as a codeplug file. The "
            "file is written only after a complete read, and atomically, so a failed read "
            "leaves an existing file as it was. Every complete read is also kept as a backup "
            "(see `kv3ctl backups`).\n\n"
            "Progress goes to stderr: a bar on a terminal, the status lines otherwise, in the "
            "words of the main window and the language of --lang.",
            "读取 PORT 上电台的 848 字节存储，并保存为写频文件。只有完整读取后才写文件，"
            "且为原子写入，所以读频失败时已有的文件保持不变。每次完整的读频还会保存一份备份"
            "（见 `kv3ctl backups`）。\n\n"
            "进度输出到 stderr：终端上为进度条，否则为状态行，用语与主窗口相同，语言由 "
            "--lang 决定。"},
       .options = {kPort,
                   {.name = "-o",
                    .value = "FILE",
                    .kind = ValueKind::Codeplug,
                    .help = {"the codeplug file to write", "要写入的写频文件"},
                    .required = true},
                   kLang},
       .exitCodes = {{kExitOk, {"the radio was read and the file saved", "读频成功，文件已保存"}},
                     kRadioFailure,
                     kUsageError,
                     {kExitFile,
                      {"FILE cannot be written (the radio is not touched when its folder "
                       "does not exist)",
                       "文件无法写入（文件夹不存在时不会访问电台）"}},
                     kSignalExits[0],
                     kSignalExits[1],
                     kSignalExits[2]}});

  r.commands.push_back(
      {.name = "write",
       .arguments = {{"FILE", ValueKind::Codeplug}},
       .summary = {"write a codeplug file to a radio", "写频：把写频文件写入电台"},
       .description =
           {"Sends a codeplug to the radio on PORT: 46 blocks of 16 bytes, 47 with --tuning. "
            "When the file's band is not the band the run started with (the first band of the "
            "list), the program asks \"Frequency band with discrepancies, do you wish to "
            "continue?\": --yes answers yes, a terminal gets a prompt, anything else "
            "declines.\n\n"
            "Progress goes to stderr, as with `kv3ctl read`.",
            "把写频文件发送到 PORT 上的电台：46 个 16 字节的块，使用 --tuning 时为 47 个。"
            "文件的频段与本次运行开始时的频段（列表中的第一个频段）不同时，程序会询问"
            "“频段不符，是否继续？”：--yes 回答“是”，终端上会提示输入，其他情况视为“否”。\n\n"
            "进度输出到 stderr，与 `kv3ctl read` 相同。"},
       .options = {kPort,
                   kTuning,
                   kYes,
                   {.name = "--verify",
                    .help = {"read the radio back after the write and compare every block the "
                             "write sent; a difference names the first address that differs",
                             "写频后读回电台并比较写入的每一块；不一致时指出第一个不同的地址"}},
                   kLang},
       .exitCodes = {{kExitOk, {"the radio was written (and verified)", "写频成功（且校验一致）"}},
                     {kExitFailure,
                      {"the port does not open, the radio does not answer, answers as another "
                       "model or goes away, the band question was declined, or --verify found "
                       "a difference",
                       "端口打不开、电台无应答、应答的是其他型号或通信中断开、频段问题被拒绝，"
                       "或 --verify 发现不一致"}},
                     kUsageError,
                     kFileError,
                     kSignalExits[0],
                     kSignalExits[1],
                     kSignalExits[2]}});

  r.commands.push_back(
      {.name = "ports",
       .summary = {"list COM1..COM20 and their devices", "列出 COM1..COM20 及其设备"},
       .description = {"Lists COM1..COM20, the device behind each and whether it opens (and if "
                       "not, why: for example \"permission denied\"), then `sim`, the built-in "
                       "simulated radio. See PORTS for how COMn finds its device.",
                       "列出 COM1..COM20、各自对应的设备以及能否打开（打不开时说明原因，例如"
                       "“permission denied”），最后是内置的模拟电台 `sim`。COMn "
                       "如何对应设备见“端口”一节。"},
       .options = {kLang},
       .exitCodes = {kOk, kUsageError}});

  r.commands.push_back(
      {.name = "set",
       .arguments = {{"FILE", ValueKind::Codeplug}, {"KEY=VALUE...", ValueKind::Text, true}},
       .summary = {"edit a codeplug as typing into the grid or its windows",
                   "像在信道表或各窗口中输入一样编辑写频文件"},
       .description =
           {"Edits one channel (--channel N with any of the value options) or the band of a "
            "codeplug file, by the rules that typing into the main window applies: a frequency "
            "outside the band is refused, one off the 5 kHz / 6.25 kHz raster moves as it "
            "moves in the grid, a tone is off, a CTCSS tone 67.0..254.1 or a DCS code. A "
            "receive frequency typed into an empty channel fills it with the new-channel "
            "defaults. Nothing is saved when a value is refused.\n\n"
            "A band change clears the channels, as in the window, and asks first: --yes "
            "answers yes, a terminal gets a prompt, anything else declines.\n\n"
            "KEY=VALUE sets any value of the codeplug by its key in the JSON format "
            "(functionSettings.squelch=3, optionalFunctions.scanRxDelaySeconds=12, "
            "embeddedInfo.1=\"SITE 4\", channels.2.rxFrequency=438.125), as the window that edits "
            "it "
            "takes it: a value that window refuses is refused with its message. All values are "
            "taken or none; the power levels need --tuning, as the sliders need the maintenance "
            "unlock. \"set --list\" prints every key with the values it takes.",
            "按在主窗口中输入的规则编辑写频文件的一个信道（--channel N 加任意取值选项）或频段："
            "频段外的频率被拒绝，不在 5 kHz / 6.25 kHz 步进上的频率与信道表中一样被调整，"
            "亚音可以为关、CTCSS 亚音 67.0..254.1 或 DCS 码。在空信道中输入接收频率时，"
            "该信道按新信道的默认值填充。任何一个值被拒绝时都不保存。\n\n"
            "更换频段会清除所有信道（与窗口中相同），并先询问：--yes 回答“是”，"
            "终端上会提示输入，其他情况视为“否”。\n\n"
            "KEY=VALUE 按 JSON 格式中的键设置写频文件的任意值（functionSettings.squelch=3、"
            "optionalFunctions.scanRxDelaySeconds=12、embeddedInfo.1=\"SITE 4\"、"
            "channels.2.rxFrequency=438."
            "125），规则与编辑该值的窗口相同：窗口拒绝的值以同样的提示被拒绝。"
            "所有值要么全部接受，要么一个都不保存；功率等级需要 "
            "--tuning（与滑块需要维护解锁相同）。"
            "“set --list”列出每个键及其可取的值。"},
       .options =
           {{.name = "--channel",
             .value = "N",
             .help = {"the channel to edit, 1..16", "要编辑的信道，1..16"}},
            {.name = "--rx",
             .value = "MHZ",
             .help = {"the receive frequency in MHz, for example 438.125",
                      "接收频率（MHz），例如 438.125"}},
            {.name = "--tx",
             .value = "MHZ",
             .help = {"the transmit frequency in MHz", "发射频率（MHz）"}},
            {.name = "--rx-tone",
             .value = "TONE",
             .help = {"the receive tone: off, a CTCSS tone such as 88.5, or a DCS code such as "
                      "D023N (N normal, I inverted)",
                      "接收亚音：off、CTCSS 亚音（如 88.5）或 DCS 码（如 D023N，N 正常，I 反相）"}},
            {.name = "--tx-tone",
             .value = "TONE",
             .help = {"the transmit tone, as --rx-tone", "发射亚音，格式同 --rx-tone"}},
            {.name = "--power",
             .value = "POWER",
             .kind = ValueKind::Choice,
             .choices = "low high",
             .help = {"the transmit power: low or high", "发射功率：low（低）或 high（高）"}},
            {.name = "--forbid",
             .value = "MODE",
             .kind = ValueKind::Choice,
             .choices = "off carrier",
             .help = {"the TX inhibit: off, or carrier (no transmitting on a busy channel)",
                      "禁止发射：off（关）或 carrier（信道忙时禁止发射）"}},
            {.name = "--bandwidth",
             .value = "WIDTH",
             .kind = ValueKind::Choice,
             .choices = "narrow wide",
             .help = {"the bandwidth: narrow or wide", "带宽：narrow（窄带）或 wide（宽带）"}},
            {.name = "--scan",
             .value = "ADD",
             .kind = ValueKind::Choice,
             .choices = "no yes",
             .help = {"whether the channel is in the scan list: no or yes",
                      "信道是否加入扫描：no（否）或 yes（是）"}},
            {.name = "--clear",
             .help = {"empty the channel before the other values are set",
                      "先清空该信道，再设置其他值"}},
            {.name = "--band",
             .value = "BAND",
             .kind = ValueKind::Choice,
             .choices = "400-480MHz 450-490MHz 400-430MHz 370-390MHz 350-370MHz 136-174MHz "
                        "600-720MHz",
             .help = {"the band: its position 0..6 in the band list or its text, such as "
                      "400-480MHz",
                      "频段：在频段列表中的位置 0..6，或其文字，如 400-480MHz"}},
            {.name = "--yes",
             .help = {"confirm a band change (it clears the channels)",
                      "确认更换频段（会清除所有信道）"}},
            {.name = "--tuning",
             .help = {"allow the power levels (txPower.*), as the maintenance unlock does",
                      "允许设置功率等级（txPower.*），与维护解锁相同"}},
            {.name = "--list",
             .help = {"print every KEY and the values it takes (no FILE)",
                      "列出每个键及其可取的值（不需要 FILE）"}},
            kLang},
       .exitCodes = {{kExitOk, {"the file was changed and saved", "文件已修改并保存"}},
                     kUsageError,
                     {kExitFile,
                      {"FILE cannot be read, is not a codeplug, or cannot be saved",
                       "文件无法读取、不是写频文件或无法保存"}},
                     {kExitRefused,
                      {"a value the editor refuses, or a declined band change; FILE is not "
                       "changed",
                       "编辑器拒绝的值，或被拒绝的频段更换；文件未改变"}}}});

  r.commands.push_back(
      {.name = "get",
       .arguments = {{"FILE", ValueKind::Codeplug}, {"KEY...", ValueKind::Text, true}},
       .summary = {"print values of a codeplug as KEY=VALUE lines",
                   "以 KEY=VALUE 行打印写频文件的值"},
       .description =
           {"Prints the values named by their keys in the JSON format, one KEY=VALUE line each, "
            "or every value without KEY, in the form set takes them back. Control characters "
            "and backslashes in texts are escaped (\\x1B, \\\\).",
            "按 JSON 格式中的键打印值，每行一个 KEY=VALUE；不给 KEY 时打印所有值，"
            "格式与 set 接受的相同。文字中的控制字符和反斜杠被转义（\\x1B、\\\\）。"},
       .options = {kLang},
       .exitCodes = {kOk, kUsageError, kFileError}});

  r.commands.push_back(
      {.name = "export",
       .arguments = {{"FILE", ValueKind::Codeplug}},
       .summary = {"the channel list as CSV, the whole codeplug as JSON, or a printable record",
                   "把信道表导出为 CSV，把整个写频文件导出为 JSON，或导出可打印的记录"},
       .description =
           {"Writes OUT in the form its extension names. A .csv file holds the channels that "
            "are not empty, in the columns of the amateur radio programming tools (Location, "
            "Frequency, Duplex, Offset, Tone, rToneFreq, cToneFreq, DtcsCode, DtcsPolarity, "
            "RxDtcsCode, CrossMode, Mode, Skip, Power). A .json file holds everything the "
            "codeplug holds, so that `kv3ctl import` of it gives back the same file byte for "
            "byte.\n\n"
            "A .html file is the codeplug's printed record, the one the program's File menu "
            "prints: FILE's name, the date and time, the channel table and every setting with "
            "the captions of --lang, as `kv3ctl show` gives them, on a page any browser prints "
            "on A4 or Letter.",
            "按 OUT 的扩展名写出。.csv 文件包含非空信道，使用业余无线电编程工具的列（Location、"
            "Frequency、Duplex、Offset、Tone、rToneFreq、cToneFreq、DtcsCode、DtcsPolarity、"
            "RxDtcsCode、CrossMode、Mode、Skip、Power）。.json 文件包含写频文件的全部内容，"
            "用 `kv3ctl import` 导入后得到逐字节相同的文件。\n\n"
            ".html 文件是写频数据的打印记录，与程序“文件”菜单打印的相同：FILE "
            "的文件名、日期和时间、"
            "信道表和每项设置，使用 --lang 语言的标题，与 `kv3ctl show` 所示相同；"
            "任何浏览器都可以把它打印在 A4 或 Letter 纸上。"},
       .options = {{.name = "-o",
                    .value = "OUT",
                    .kind = ValueKind::Export,
                    .help = {"the file to write, ending in .csv, .json or .html",
                             "要写入的文件，扩展名为 .csv、.json 或 .html"},
                    .required = true},
                   kLang},
       .exitCodes = {kOk,
                     {kExitUsage,
                      {"a usage error, or OUT ends neither in .csv, .json nor .html",
                       "用法错误，或 OUT 的扩展名不是 .csv、.json 或 .html"}},
                     {kExitFile,
                      {"FILE cannot be read or is not a codeplug, or OUT cannot be written",
                       "文件无法读取或不是写频文件，或 OUT 无法写入"}}}});

  r.commands.push_back(
      {.name = "import",
       .arguments = {{"IN", ValueKind::Table}},
       .summary = {"make a codeplug from a CSV channel list or a JSON codeplug",
                   "由 CSV 信道表或 JSON 写频数据生成写频文件"},
       .description =
           {"Reads IN (a .csv channel list or a .json codeplug) into BASE, or into a new "
            "codeplug, and saves the result as FILE. A channel list is the whole list: "
            "channels it does not name are empty, and everything else comes from BASE. Every "
            "value goes through the editor's rules for the band of BASE; each refused value is "
            "reported as `IN:LINE:COLUMN: Name \"value\": reason`, and nothing is written "
            "unless every row is accepted or --skip-bad leaves the refused rows out.\n\n"
            "A JSON codeplug keeps its values exactly, but each value the windows would refuse "
            "is reported as a warning (--strict refuses them). FILE is never IN itself, and an "
            "existing FILE that is no codeplug is replaced only with --force.",
            "把 IN（.csv 信道表或 .json 写频数据）读入 BASE 或新的写频数据，并将结果保存为 "
            "FILE。信道表代表全部信道：未列出的信道为空，其他内容都来自 BASE。每个值都按 "
            "BASE 的频段经过编辑器的规则检查；每个被拒绝的值报告为 "
            "`IN:LINE:COLUMN: Name \"value\": reason`。除非每一行都被接受，或 --skip-bad "
            "略去被拒绝的行，否则不写入任何文件。\n\n"
            "JSON 写频数据的值按原样保留，但窗口会拒绝的每个值都会给出警告（--strict "
            "则拒绝它们）。FILE 不能是 IN 本身；已存在且不是写频文件的 FILE 只有使用 --force "
            "时才会被替换。"},
       .options = {{.name = "-o",
                    .value = "FILE",
                    .kind = ValueKind::Codeplug,
                    .help = {"the codeplug file to write", "要写入的写频文件"},
                    .required = true},
                   {.name = "--base",
                    .value = "BASE",
                    .kind = ValueKind::Codeplug,
                    .help = {"the codeplug to start from (by default a new one)",
                             "作为基础的写频文件（默认为新的写频数据）"}},
                   {.name = "--skip-bad",
                    .help = {"leave the refused rows of a channel list out instead of writing "
                             "nothing",
                             "略去信道表中被拒绝的行，而不是什么都不写"}},
                   {.name = "--renumber",
                    .help = {"the rows of a channel list are channels 1, 2, ... in file order, "
                             "whatever their Location says (for lists that count from 0)",
                             "信道表的各行按文件中的顺序依次为信道 1、2……，不管其 Location "
                             "为何（用于从 0 开始编号的信道表）"}},
                   {.name = "--strict",
                    .help = {"refuse a JSON codeplug that holds values the windows would refuse "
                             "(without it they are kept, each with a warning)",
                             "拒绝含有窗口会拒绝的值的 JSON 写频数据（不加此选项时保留这些值，"
                             "并逐个给出警告）"}},
                   kForce,
                   kLang},
       .exitCodes = {
           kOk,
           {kExitUsage,
            {"a usage error, or IN ends neither in .csv nor in .json",
             "用法错误，或 IN 的扩展名既不是 .csv 也不是 .json"}},
           {kExitFile,
            {"a file cannot be read or written, IN is no channel list or no JSON, or FILE "
             "exists and is no codeplug (see --force)",
             "文件无法读取或写入，IN 不是信道表或 JSON，或 FILE 已存在且不是写频文件"
             "（见 --force）"}},
           {kExitRefused,
            {"values were refused (with --strict also those the windows would refuse) and "
             "nothing was written",
             "有值被拒绝（使用 --strict 时也包括窗口会拒绝的值），没有写入任何文件"}}}});

  r.commands.push_back(
      {.name = "diff",
       .arguments = {{"A", ValueKind::Codeplug}, {"B", ValueKind::Codeplug, true}},
       .summary = {"what differs between two codeplugs, or between a radio and a codeplug",
                   "比较两个写频文件、或电台与写频文件的不同之处"},
       .description =
           {"Prints what differs from A to B, field by field, in the captions and texts of the "
            "windows, one line each. When two codeplugs look alike in every window but would "
            "still write different images, the differing image bytes are listed.\n\n"
            "With --port PORT and one file A, reads the radio first (kept as a backup, like "
            "every read) and prints what differs from the radio to A: what a write of A would "
            "change. The radio's memory is only read, nothing is written. The lines are those "
            "of the main window's Compare with Radio.\n\n"
            "  kv3ctl diff --port COM1 mine.DAT",
            "逐项列出从 A 到 B 的不同之处，每项一行，使用窗口中的标题和文字。两个写频文件在"
            "所有窗口中看起来相同、但写入的数据仍不同时，列出不同的数据字节。\n\n"
            "使用 --port PORT 并只给一个文件 A 时，先读取电台（与每次读频一样保存备份），"
            "然后列出从电台到 A 的不同之处，即写入 A 会改变的内容。只读取电台，不写入任何"
            "数据。输出与主窗口的“与电台比较”相同。\n\n"
            "  kv3ctl diff --port COM1 mine.DAT"},
       .options = {{.name = "--json",
                    .help = {"print the differences as JSON: a list of {channel, section, field, "
                             "caption, before, after, text}",
                             "以 JSON 输出不同之处：{channel, section, field, caption, before, "
                             "after, text} 的列表"}},
                   {.name = "--port",
                    .value = "PORT",
                    .kind = ValueKind::Port,
                    .help = {"compare the radio on this port (as for `kv3ctl read`) with the "
                             "file A",
                             "将此端口上的电台（格式同 `kv3ctl read`）与文件 A 比较"}},
                   kLang},
       .exitCodes = {
           {kExitOk, {"A and B (or the radio and A) are equal", "A 与 B（或电台与 A）相同"}},
           {kExitFailure,
            {"A and B (or the radio and A) differ, or the radio could not be read",
             "A 与 B（或电台与 A）不同，或无法读取电台"}},
           kUsageError,
           {kExitFile,
            {"A or B cannot be read or is not a codeplug", "A 或 B 无法读取或不是写频文件"}}}});

  r.commands.push_back(
      {.name = "check",
       .arguments = {{"FILE", ValueKind::Codeplug}},
       .summary = {"list what to look at in a codeplug before writing it",
                   "列出写频前应检查的问题"},
       .description =
           {"Lists, one line each, what the editor would refuse or a user should look at "
            "before writing the codeplug to a radio: frequencies outside the band or off its "
            "raster, frequency digits that are not decimal, tones outside the lists, DCS codes "
            "with the digits 8 or 9, an empty priority channel, two channels with the same "
            "receive frequency and tones, test frequencies outside 100..1000 MHz. A codeplug "
            "read from a radio or imported from JSON can hold them.",
            "逐行列出编辑器会拒绝、或写频前应检查的内容：超出频段或不在步进上的频率、"
            "含非十进制数字的频率、不在列表中的亚音、含数字 8 或 9 的 DCS 码、"
            "空的优先信道、接收频率和亚音都相同的两个信道、超出 100..1000 MHz 的测试频率。"
            "从电台读出或从 JSON 导入的写频文件可能含有这些内容。"},
       .options = {{.name = "--json",
                    .help = {"print the problems as a JSON list", "以 JSON 列表输出问题"}},
                   kLang},
       .exitCodes = {{kExitOk, {"nothing to look at", "没有问题"}},
                     {kExitFailure, {"something is listed", "列出了问题"}},
                     kUsageError,
                     kFileError}});

  r.commands.push_back(
      {.name = "backups",
       .summary = {"list the backups of every read and every write", "列出每次读频和写频的备份"},
       .description =
           {"Every complete read (kv3ctl read, kv3ctl diff --port, and the main window's read "
            "and Compare with Radio) saves the memory as KV-3-YYYYMMDD-HHMMSS-mmmZ.DAT, and "
            "every complete write (kv3ctl write, kv3ctl clone, and the main window's write) "
            "the image it wrote as KV-3-YYYYMMDD-HHMMSS-mmmZ-W.DAT, in "
            "$XDG_DATA_HOME/KV-3/backups (by default ~/.local/share/KV-3/backups); the newest "
            "100 are kept. Lists them, oldest first, with time, kind (read or write), band and "
            "number of channels; --json adds the first embedded information line.",
            "每次完整的读频（kv3ctl read、kv3ctl diff --port，以及主窗口的读频和“与电台比较”）"
            "都会把数据另存为 KV-3-YYYYMMDD-HHMMSS-mmmZ.DAT，每次完整的写频（kv3ctl write、"
            "kv3ctl clone 和主窗口的写频）都会把写入的数据另存为 "
            "KV-3-YYYYMMDD-HHMMSS-mmmZ-W.DAT，保存在 $XDG_DATA_HOME/KV-3/backups（默认 "
            "~/.local/share/KV-3/backups）中，保留最新的 100 个。本命令按从旧到新的顺序列出"
            "它们，包括时间、类型（read 读频或 write 写频）、频段和信道数；--json 还给出第一行"
            "嵌入信息。"},
       .options = {{.name = "--json",
                    .help = {"print the list as JSON: a list of {time, kind, band, channels, "
                             "info, readable, path}",
                             "以 JSON 输出列表：{time, kind, band, channels, info, readable, "
                             "path} 的列表"}}},
       .exitCodes = {kOk,
                     kUsageError,
                     {kExitFile,
                      {"no data folder: neither XDG_DATA_HOME nor HOME is set",
                       "没有数据文件夹：XDG_DATA_HOME 和 HOME 都未设置"}}}});

  r.commands.push_back(
      {.name = "clone",
       .arguments = {{"FILE", ValueKind::Codeplug}},
       .summary = {"write one codeplug to several radios at once",
                   "把一个写频文件同时写入多台电台"},
       .description =
           {"Writes FILE to the radio of every --port at once: one session per port, so four "
            "radios take about the time of one. Each radio gets a progress line, then a table "
            "of port, result and seconds follows. The band question is asked once for the "
            "whole fleet, before any radio is touched. A radio that fails never stops the "
            "others.",
            "把 FILE 同时写入每个 --port 上的电台：每个端口一个会话，所以四台电台所需的时间"
            "与一台大致相同。每台电台有一行进度，最后输出端口、结果和秒数的表格。频段问题在"
            "访问任何电台之前只问一次。一台电台失败不会影响其他电台。"},
       .options = {{.name = "--port",
                    .value = "PORT",
                    .kind = ValueKind::Port,
                    .help = {"a radio's port, as for `kv3ctl write`; one for each radio",
                             "一台电台的端口，格式同 `kv3ctl write`；每台电台一个"},
                    .required = true,
                    .repeatable = true},
                   {.name = "--verify",
                    .help = {"read every radio back after its write and compare the written "
                             "blocks",
                             "每台电台写频后读回并比较写入的块"}},
                   kTuning,
                   kYes,
                   kLang},
       .exitCodes = {
           {kExitOk, {"every radio was written", "所有电台都写频成功"}},
           {kExitFailure,
            {"a radio failed, or the band question was declined", "有电台失败，或频段问题被拒绝"}},
           {kExitUsage, {"a usage error, or a port given twice", "用法错误，或同一端口给了两次"}},
           kFileError,
           kSignalExits[0],
           kSignalExits[1],
           kSignalExits[2]}});

  r.commands.push_back(
      {.name = "help",
       .arguments = {{"COMMAND", ValueKind::Command, true}},
       .summary = {"show the help of kv3ctl or of one command", "显示 kv3ctl 或某个命令的帮助"},
       .description =
           {"Prints the help of COMMAND, or of kv3ctl and all its commands. --format gives the "
            "same description in other forms: `man` (the manual page kv3ctl.1), `html` (a "
            "fragment for the manual's pages), `json` (the description as data) and `bash` "
            "(the bash completion of kv3ctl).",
            "显示 COMMAND 的帮助，或 kv3ctl 及其全部命令的帮助。--format 以其他形式给出同样的"
            "说明：`man`（手册页 kv3ctl.1）、`html`（用于手册页面的片段）、`json`"
            "（数据形式的说明）和 `bash`（kv3ctl 的 bash 补全）。"},
       .options = {{.name = "--format",
                    .value = "FORMAT",
                    .kind = ValueKind::Choice,
                    .choices = "text man html json bash",
                    .help = {"text (the default), man, html, json or bash",
                             "text（默认）、man、html、json 或 bash"}},
                   {.name = "--lang",
                    .value = "L",
                    .kind = ValueKind::Choice,
                    .choices = "en zh-Hans zh-Hant",
                    .help = {"the language of the help: en (the default), zh-Hans or zh-Hant",
                             "帮助的语言：en（默认）、zh-Hans 或 zh-Hant"}}},
       .exitCodes = {kOk, {kExitUsage, {"an unknown command or format", "未知的命令或格式"}}}});

  r.programOptions = {
      {.name = "--version", .help = {"print the program's name and version", "显示程序名称和版本"}},
      {.name = "--help", .help = {"print this help", "显示本帮助"}},
  };
  r.commonOptions = {
      {.name = "--help", .help = {"print the command's help", "显示该命令的帮助"}},
  };

  r.sections.push_back(
      {{"Ports", "端口"},
       {"PORT is a serial device (/dev/ttyUSB0, or a pseudo-terminal such as the one "
        "kv3-radio-sim prints), COM1..COM20, or `sim`, the built-in simulated radio, which "
        "holds the demo codeplug. The line is 9600 baud, 8 data bits, no parity, 1 stop "
        "bit, no flow control.\n\n"
        "On Linux a COM number, once given to a serial device, stays that device's: the "
        "first time a device is seen it gets the lowest number that no other device has, "
        "kept in $XDG_CONFIG_HOME/KV-3/port-numbers (by default ~/.config/KV-3/port-numbers) "
        "under its /dev/serial/by-id/ name where it has one. New devices are numbered in "
        "this order: the USB adapters under /dev/serial/by-id/, then /dev/ttyUSB* and "
        "/dev/ttyACM*, then the /dev/ttyS* that have a driver behind them. The port map "
        "$XDG_CONFIG_HOME/KV-3/ports (by default ~/.config/KV-3/ports) pins any COMn to any "
        "device ahead of those numbers, one line `COMn /dev/path` each; `#` starts a "
        "comment.\n\n"
        "A serial adapter opens only for the members of the group that owns it, dialout on "
        "Debian. Add your account to it once and log in again:\n\n"
        "  sudo adduser \"$USER\" dialout",
        "PORT 是串口设备（/dev/ttyUSB0，或 kv3-radio-sim 输出的伪终端）、COM1..COM20，"
        "或内置的模拟电台 `sim`（内有演示数据）。线路为 9600 波特、8 个数据位、无校验、"
        "1 个停止位、无流控。\n\n"
        "在 Linux 上，COM 号一旦分配给某个串口设备，就一直属于该设备：第一次见到某个设备时，"
        "它得到其他设备都没有的最小号码，记录在 $XDG_CONFIG_HOME/KV-3/port-numbers（默认 "
        "~/.config/KV-3/port-numbers）中，有 /dev/serial/by-id/ 名称的设备以该名称记录。"
        "新设备的编号顺序为：/dev/serial/by-id/ 下的 USB 转换器，然后是 /dev/ttyUSB* 和 "
        "/dev/ttyACM*，再后是有驱动的 /dev/ttyS*。端口映射文件 $XDG_CONFIG_HOME/KV-3/ports"
        "（默认 ~/.config/KV-3/ports）可以把任何 COMn 固定到任何设备，优先于上述号码，"
        "每行一个 `COMn /dev/path`；`#` 开始注释。\n\n"
        "串口转换器只有其所属用户组（Debian 上为 dialout）的成员才能打开。"
        "把你的账户加入该组一次，然后重新登录：\n\n"
        "  sudo adduser \"$USER\" dialout"}});
  r.sections.push_back(
      {{"Files", "文件"},
       {"- FILE.DAT: a codeplug, 853 bytes: the word MZP48 and the 848-byte memory image. "
        "Files are replaced atomically, so an interrupted save leaves the old file whole.\n"
        "- ~/.config/KV-3/ports: the port map (see PORTS).\n"
        "- ~/.config/KV-3/port-numbers: the COM number of each serial device (see PORTS).\n"
        "- ~/.local/share/KV-3/backups/: the backups of every read (see `kv3ctl backups`).",
        "- FILE.DAT：写频文件，853 字节：标识 MZP48 和 848 字节的存储映像。文件以原子方式"
        "替换，保存被中断时旧文件保持完整。\n"
        "- ~/.config/KV-3/ports：端口映射（见“端口”）。\n"
        "- ~/.config/KV-3/port-numbers：每个串口设备的 COM 号（见“端口”）。\n"
        "- ~/.local/share/KV-3/backups/：每次读频的备份（见 `kv3ctl backups`）。"}});
  r.sections.push_back(
      {{"Environment", "环境变量"},
       {"- XDG_CONFIG_HOME: the folder of the port map and the COM numbers (default ~/.config).\n"
        "- XDG_DATA_HOME: the folder of the backups (default ~/.local/share).\n"
        "- HOME: the user's folder, for the defaults above.",
        "- XDG_CONFIG_HOME：端口映射和 COM 号所在的文件夹（默认 ~/.config）。\n"
        "- XDG_DATA_HOME：备份所在的文件夹（默认 ~/.local/share）。\n"
        "- HOME：用户的文件夹，用于上述默认值。"}});
  r.sections.push_back(
      {{"Examples", "示例"},
       {"Read a radio, change channel 3, write it back and check the write:\n\n"
        "  kv3ctl read --port COM1 -o radio.DAT\n"
        "  kv3ctl set radio.DAT --channel 3 --rx 438.125 --tx-tone 88.5\n"
        "  kv3ctl write --port COM1 radio.DAT --verify\n\n"
        "Program four radios with the same codeplug:\n\n"
        "  kv3ctl clone radio.DAT --port COM1 --port COM2 --port COM3 --port COM4",
        "读频、修改信道 3、写回电台并校验：\n\n"
        "  kv3ctl read --port COM1 -o radio.DAT\n"
        "  kv3ctl set radio.DAT --channel 3 --rx 438.125 --tx-tone 88.5\n"
        "  kv3ctl write --port COM1 radio.DAT --verify\n\n"
        "把同一个写频文件写入四台电台：\n\n"
        "  kv3ctl clone radio.DAT --port COM1 --port COM2 --port COM3 --port COM4"}});

  r.exitCodes = {
      kOk,
      {kExitFailure,
       {"a communication failure (the port, the radio), or for diff a difference",
        "通信失败（端口、电台），对 diff 而言为有不同之处"}},
      {kExitUsage, {"a usage error", "用法错误"}},
      {kExitFile,
       {"a file error, also output that cannot be written (a full disk, a closed stdout)",
        "文件错误，也包括无法写出的输出（磁盘已满、stdout 已关闭）"}},
      {kExitRefused, {"a value the editor refuses", "编辑器拒绝的值"}},
      {130,
       {"Ctrl+C (SIGINT) ended a session with a radio (143 SIGTERM, 129 SIGHUP)",
        "Ctrl+C（SIGINT）结束了与电台的通信（143 为 SIGTERM，129 为 SIGHUP）"}},
  };
  return r;
}

}  // namespace

const Reference& CommandReference() {
  static const Reference reference = MakeReference();
  return reference;
}

const CommandHelp* FindCommandHelp(std::string_view name) {
  for (const auto& c : CommandReference().commands)
    if (name == c.name) return &c;
  return nullptr;
}

std::string Say(const HelpText& text, kv3::Language lang) {
  return kv3::Localize(kv3::Text2{text.zh, text.en}, lang);
}

}  // namespace kv3ctl
