-- Wireshark dissector for the Lumentor mapped gateway's serial line, as
-- LumentorMGW and mgw capture it (--capture FILE.pcapng): one packet per
-- frame, link type 147 (USER0), the direction in each packet's flags.
--
-- Frames are text: "[" + two checksum digits + the checksummed rest.
-- A command's rest is "00" + command + "]"; a reply's is payload + "]".
-- The checksum starts at A5 and, for each character of the rest, rotates
-- right one bit and adds the character (8 bits).

local mgw = Proto("lumentormgw", "Lumentor Mapped Gateway")

local f = {
    kind = ProtoField.string("lumentormgw.kind", "Frame"),
    command = ProtoField.string("lumentormgw.command", "Command"),
    code = ProtoField.string("lumentormgw.code", "Command code"),
    bank = ProtoField.uint8("lumentormgw.bank", "Bank"),
    half = ProtoField.uint8("lumentormgw.half", "Half"),
    address = ProtoField.uint16("lumentormgw.address", "Address", base.HEX),
    last = ProtoField.uint16("lumentormgw.last", "Last address", base.HEX),
    cells = ProtoField.uint8("lumentormgw.cells", "Cells"),
    payload = ProtoField.string("lumentormgw.payload", "Payload"),
    sum = ProtoField.uint32("lumentormgw.bank_checksum", "Bank checksum", base.HEX),
    checksum = ProtoField.string("lumentormgw.checksum", "Checksum"),
    expected = ProtoField.string("lumentormgw.checksum_expected", "Checksum expected"),
    ok = ProtoField.bool("lumentormgw.checksum_ok", "Checksum right"),
    request_in = ProtoField.framenum("lumentormgw.request_in", "Command in", base.NONE, frametype.REQUEST),
    response_in = ProtoField.framenum("lumentormgw.response_in", "Reply in", base.NONE, frametype.RESPONSE),
}
mgw.fields = {f.kind, f.command, f.code, f.bank, f.half, f.address, f.last, f.cells, f.payload, f.sum, f.checksum,
              f.expected, f.ok, f.request_in, f.response_in}

local bad_checksum = ProtoExpert.new("lumentormgw.bad_checksum", "Frame checksum wrong", expert.group.CHECKSUM,
                                     expert.severity.ERROR)
local not_frame = ProtoExpert.new("lumentormgw.not_frame", "Not a frame", expert.group.MALFORMED,
                                  expert.severity.WARN)
mgw.experts = {bad_checksum, not_frame}

local names = {["36"] = "prepare", ["38"] = "block write", ["39"] = "block read", ["3F"] = "bank checksum"}

local function checksum(text)
    local s = 0xA5
    for i = 1, #text do
        s = math.floor(s / 2) + (s % 2) * 128
        s = (s + text:byte(i)) % 256
    end
    return string.format("%02X", s)
end

-- Filled on the first pass: each reply's command and each command's reply.
local command_of = {}   -- reply frame number -> command frame number
local reply_of = {}     -- command frame number -> reply frame number
local code_of = {}      -- command frame number -> its two-digit code
local last_command = nil

local function is_command(text, pinfo)
    if pinfo.p2p_dir == P2P_DIR_SENT then return true end
    if pinfo.p2p_dir == P2P_DIR_RECV then return false end
    return #text >= 9 and text:sub(4, 5) == "00" and names[text:sub(6, 7)] ~= nil
end

function mgw.dissector(tvb, pinfo, tree)
    local text = tvb:raw()
    pinfo.cols.protocol = "LumentorMGW"
    local t = tree:add(mgw, tvb())
    local framed = #text >= 4 and text:sub(1, 1) == "[" and text:sub(-1) == "]"
    if not framed then
        t:add(f.kind, tvb(), "characters")
        t:add_proto_expert_info(not_frame)
        pinfo.cols.info = string.format("%d characters, not a frame", #text)
        return
    end
    local given, expected = text:sub(2, 3), checksum(text:sub(4))
    local command = is_command(text, pinfo)
    pinfo.cols.src = command and "program" or "gateway"
    pinfo.cols.dst = command and "gateway" or "program"
    t:add(f.kind, tvb(), command and "command" or "reply")
    t:add(f.checksum, tvb(1, 2), given)
    local ok = given == expected
    t:add(f.ok, tvb(1, 2), ok)
    if not ok then
        t:add(f.expected, tvb(1, 2), expected)
        t:add_proto_expert_info(bad_checksum)
    end
    local verdict = ok and "" or " [checksum wrong, expected " .. expected .. "]"

    if command then
        local code = text:sub(6, 7)
        local name = names[code] or ("command " .. code)
        if not pinfo.visited then
            last_command = pinfo.number
            code_of[pinfo.number] = code
        end
        t:add(f.command, tvb(5, 2), name)
        t:add(f.code, tvb(5, 2), code)
        local bank = tonumber(text:sub(8, 8), 16)
        if bank then t:add(f.bank, tvb(7, 1), bank) end
        local info = name
        if code == "36" then
            local half = tonumber(text:sub(9, 9), 16)
            if half then t:add(f.half, tvb(8, 1), half) end
            info = string.format("prepare bank %s half %s", text:sub(8, 8), text:sub(9, 9))
        elseif (code == "38" or code == "39" or code == "3F") and #text >= 14 then
            local address = tonumber(text:sub(9, 12), 16) or 0
            t:add(f.address, tvb(8, 4), address)
            if code == "38" then
                local cells = math.floor((#text - 15) / 2)
                t:add(f.cells, tvb(14, #text - 15), cells)
                t:add(f.payload, tvb(14, #text - 15), text:sub(15, -2))
                info = string.format("block write bank %s address %04X, %d cells", text:sub(8, 8), address, cells)
            elseif code == "39" then
                t:add(f.cells, tvb(12, 2), 64)
                info = string.format("block read bank %s address %04X, 64 cells", text:sub(8, 8), address)
            else
                local last = tonumber(text:sub(13, 16), 16) or 0
                t:add(f.last, tvb(12, 4), last)
                info = string.format("bank checksum bank %s %04X to %04X", text:sub(8, 8), address, last)
            end
        end
        local reply = reply_of[pinfo.number]
        if reply then t:add(f.response_in, reply) end
        pinfo.cols.info = info .. verdict
        return
    end

    if not pinfo.visited and last_command then
        command_of[pinfo.number] = last_command
        reply_of[last_command] = pinfo.number
        last_command = nil
    end
    local payload = text:sub(4, -2)
    t:add(f.payload, tvb(3, #text - 4), payload)
    local asked = command_of[pinfo.number]
    local info = "reply " .. payload
    if asked then
        t:add(f.request_in, asked)
        local code = code_of[asked]
        t:add(f.command, tvb(3, #text - 4), names[code] or ("command " .. code))
        if code == "39" then
            t:add(f.cells, tvb(3, #text - 4), math.floor(#payload / 2))
            info = string.format("block read reply, %d cells", math.floor(#payload / 2))
        elseif code == "3F" and #payload == 8 then
            t:add(f.sum, tvb(3, 8), tonumber(payload, 16))
            info = "bank checksum reply " .. payload
        else
            info = (names[code] or "command") .. " reply " .. payload
        end
    end
    pinfo.cols.info = info .. verdict
end

function mgw.init()
    command_of, reply_of, code_of, last_command = {}, {}, {}, nil
end

DissectorTable.get("wtap_encap"):add(wtap.USER0, mgw)
