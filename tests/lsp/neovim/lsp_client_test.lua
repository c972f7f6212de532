-- Drives `tarvexc lsp` with Neovim's built-in LSP client: diagnostics of a
-- faulty source at the right lines and columns, completion, hover, and new
-- diagnostics after an edit. Run by CTest:
--   TARVEXC=... TARVEX_TEST_DIR=... nvim --headless --clean -c "luafile lsp_client_test.lua"
local tarvexc = os.getenv("TARVEXC")
local dir = os.getenv("TARVEX_TEST_DIR")
local failures = 0

local function check(ok, what)
  if not ok then
    failures = failures + 1
    io.stderr:write("FAILED: " .. what .. "\n")
  end
end

local function finish()
  io.stderr:write(failures == 0 and "neovim lsp client test passed\n" or "neovim lsp client test failed\n")
  vim.cmd(failures == 0 and "qall!" or "cquit! 1")
end

vim.fn.mkdir(dir, "p")
local function write(name, text)
  local f = assert(io.open(dir .. "/" .. name, "wb"))
  f:write(text)
  f:close()
end
write("keyword.txt", "Timeout,int,1,60\r\nEnable,bool\r\nName,string\r\n")
-- Line 2 holds "é" (two bytes in the buffer, one character to the server).
write("policy.inf", "Timeout = 99\nCafé = 1\nEnable = true\n")

vim.cmd("edit " .. dir .. "/policy.inf")
local buf = vim.api.nvim_get_current_buf()
local client_id = vim.lsp.start_client({
  name = "tarvex",
  cmd = { tarvexc, "lsp" },
  root_dir = dir,
  flags = { debounce_text_changes = 0 },
})
check(client_id ~= nil, "the client starts")
vim.lsp.buf_attach_client(buf, client_id)

local function diagnostics()
  local d = vim.diagnostic.get(buf)
  table.sort(d, function(a, b) return a.lnum < b.lnum end)
  return d
end

check(vim.wait(10000, function() return #diagnostics() == 2 end, 20), "two diagnostics arrive")
local d = diagnostics()
if #d == 2 then
  -- 0-based lines; columns are byte columns of the buffer.
  check(d[1].lnum == 0 and d[1].col == 10 and d[1].end_col == 12, "range of the out-of-range value")
  check(d[1].message == "\"99\" is not within a valid range.  ", "first line of message 5449")
  check(d[1].source == "tarvex" and d[1].severity == vim.diagnostic.severity.ERROR, "source and severity")
  check(d[2].lnum == 1 and d[2].col == 0 and d[2].end_col == 5, "range of the unknown keyword after é")
  check(d[2].message == "\"Café\" on line number 2 is not a valid keyword.", "message 5447 decoded")
end

local client = vim.lsp.get_client_by_id(client_id)
local function request(method, line, character)
  local params = { textDocument = { uri = vim.uri_from_bufnr(buf) }, position = { line = line, character = character } }
  local reply = client.request_sync(method, params, 5000, buf)
  return reply and reply.result
end

vim.api.nvim_buf_set_lines(buf, 3, 3, false, { "Ti" })
local completion = request("textDocument/completion", 3, 2)
local items = completion and completion.items or {}
check(#items == 1 and items[1].label == "Timeout" and items[1].detail == "int, 1 to 60", "completion of Ti")

local hover = request("textDocument/hover", 2, 2)
check(hover ~= nil and hover.contents.value == "Enable: bool, true or false", "hover on Enable")

-- Mend the first two lines: only the unfinished "Ti" line is left at fault.
vim.api.nvim_buf_set_lines(buf, 0, 2, false, { "Timeout = 30", "Name = Café" })
check(vim.wait(10000, function()
  local now = diagnostics()
  return #now == 1 and now[1].lnum == 3
end, 20), "diagnostics follow the edit")
local now = diagnostics()
check(#now == 1 and now[1].message == "Incorrect syntax, '=' is missing on line 4 .", "message 5461 after the edit")

vim.lsp.stop_client(client_id)
finish()
