-- Prints mpv's start-up milestones the way KELVARINO_TRACE does: ms since the
-- process started, from /proc (boot-relative clock ticks against uptime).
-- With script-opts mpv_first_frame-stay=yes it keeps playing.
local options = { stay = false }
require("mp.options").read_options(options, "mpv_first_frame")

local function read(path)
  local f = io.open(path)
  local text = f:read("*a")
  f:close()
  return text
end

local ticks = 100 -- USER_HZ on Linux
local start = tonumber(read("/proc/self/stat"):match("%)%s+(.*)"):match(("%S+%s+"):rep(19) .. "(%S+)")) / ticks

local function trace(milestone)
  local uptime = tonumber(read("/proc/uptime"):match("^(%S+)"))
  io.stderr:write(string.format("kelvarino-trace %s %.0f\n", milestone, (uptime - start) * 1000))
end

local seen = {}
local function once(milestone)
  return function()
    if seen[milestone] then return end
    seen[milestone] = true
    trace(milestone)
    if milestone == "playback-restart" and not options.stay then mp.command("quit") end
  end
end
mp.register_event("file-loaded", once("file-loaded"))
mp.register_event("playback-restart", once("playback-restart"))
