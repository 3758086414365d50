<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>qmv::ContentCheck</name>
    <message>
        <source>检查超时</source>
        <translation>the check timed out</translation>
    </message>
    <message>
        <source>检查时崩溃</source>
        <translation>the check crashed</translation>
    </message>
    <message>
        <source>无法运行检查程序 %1</source>
        <translation>cannot run the checker %1</translation>
    </message>
</context>
<context>
    <name>qmv::Dialogs</name>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>重试</source>
        <translation>Retry</translation>
    </message>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>否</source>
        <translation>No</translation>
    </message>
</context>
<context>
    <name>qmv::HelpWindow</name>
    <message>
        <source>QMV-718 自学习软件帮助</source>
        <translation>QMV-718 learning tool help</translation>
    </message>
    <message>
        <source>目录</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>搜索</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>用帮助查看器打开 %1</source>
        <translation>Open %1 in a help viewer</translation>
    </message>
    <message>
        <source>输入要查找的文字</source>
        <translation>Words to find</translation>
    </message>
    <message>
        <source>查找</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>没有找到“%1”。</source>
        <translation>&quot;%1&quot; was not found.</translation>
    </message>
    <message numerus="yes">
        <source>找到 %n 页：</source>
        <translation>
            <numerusform>Found %n page:</numerusform>
            <numerusform>Found %n pages:</numerusform>
        </translation>
    </message>
    <message>
        <source>没有能打开 %1 的帮助查看器</source>
        <translation>No help viewer can open %1</translation>
    </message>
</context>
<context>
    <name>qmv::Keypad</name>
    <message>
        <source>数位</source>
        <translation>-/--</translation>
    </message>
    <message>
        <source>切换</source>
        <translation>Swap</translation>
    </message>
    <message>
        <source>静音</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>指南</source>
        <translation>Guide</translation>
    </message>
    <message>
        <source>菜单</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>节目表</source>
        <translation>EPG</translation>
    </message>
    <message>
        <source>后道</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>声道</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>收藏</source>
        <translation>Favorite</translation>
    </message>
    <message>
        <source>信息</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>上一段</source>
        <translation>Prev</translation>
    </message>
    <message>
        <source>下一段</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>录象</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>快退</source>
        <translation>Rewind</translation>
    </message>
    <message>
        <source>快进</source>
        <translation>Forward</translation>
    </message>
</context>
<context>
    <name>qmv::LearnFailure</name>
    <message>
        <source>6秒内没有收到原遥控器的编码</source>
        <translation>no code arrived from the original remote within 6 seconds</translation>
    </message>
    <message>
        <source>遥控器没有进入学习状态</source>
        <translation>the remote did not start learning</translation>
    </message>
    <message>
        <source>遥控器已拔出</source>
        <translation>the remote was unplugged</translation>
    </message>
    <message>
        <source>与遥控器通讯出错</source>
        <translation>talking to the remote failed</translation>
    </message>
    <message>
        <source>收到的编码无法识别</source>
        <translation>the received code cannot be recognised</translation>
    </message>
</context>
<context>
    <name>qmv::LearningController</name>
    <message>
        <source>您现在是在 电视/TV 里进行自学习！</source>
        <translation>You are now learning in the TV area.</translation>
    </message>
    <message>
        <source>您现在是在 机顶盒/CBL 里进行自学习！</source>
        <translation>You are now learning in the set-top box (CBL) area.</translation>
    </message>
    <message>
        <source>您现在是在 影碟机/DVD 里进行自学习！</source>
        <translation>You are now learning in the DVD area.</translation>
    </message>
    <message>
        <source>您现在是在 AMP 里进行自学习！</source>
        <translation>You are now learning in the AMP area.</translation>
    </message>
    <message>
        <source>请在左面遥控器上点击待学习的按键！</source>
        <translation>Click the key to learn on the remote on the left.</translation>
    </message>
    <message>
        <source>请在左面遥控器上选择待删除的按键！</source>
        <translation>Choose the key to delete on the remote on the left.</translation>
    </message>
    <message>
        <source>请先点击开始学习按钮！</source>
        <translation>Click the Start learning button first.</translation>
    </message>
    <message>
        <source>现在在删除状态，要学习请先停止删除！</source>
        <translation>Deleting is on: stop deleting before you learn.</translation>
    </message>
    <message>
        <source>现在正在学习状态，要删除请先停止学习！</source>
        <translation>Learning is on: stop learning before you delete.</translation>
    </message>
    <message>
        <source>现在是自学习遥控器按键编码状态，要清空请先点击&quot;停止学习&quot;按钮！</source>
        <translation>Learning is on: click &quot;Stop learning&quot; before you clear.</translation>
    </message>
    <message>
        <source>现在是删除单个遥控器按键编码状态，要清空请先点击&quot;停止删除&quot;按钮！</source>
        <translation>Deleting single keys is on: click &quot;Stop deleting&quot; before you clear.</translation>
    </message>
    <message>
        <source>没有可清空的按键的编码！</source>
        <translation>There are no key codes to clear.</translation>
    </message>
    <message>
        <source>你确实要清空所有自学习过的按键的编码吗？</source>
        <translation>Do you really want to clear the codes of all learned keys?</translation>
    </message>
    <message>
        <source>清空操作完成！</source>
        <translation>Clearing is done.</translation>
    </message>
    <message>
        <source>该键还没有自学习过，无法删除！</source>
        <translation>This key has not been learned, so it cannot be deleted.</translation>
    </message>
    <message>
        <source>该按键还没有自学习过，无法删除！</source>
        <translation>This key has not been learned, so it cannot be deleted.</translation>
    </message>
    <message>
        <source>你确实要删除该自学习按键的编码？</source>
        <translation>Do you really want to delete the learned code of this key?</translation>
    </message>
    <message>
        <source>删除操作失败！</source>
        <translation>Deleting failed.</translation>
    </message>
    <message>
        <source>删除操作成功！</source>
        <translation>The key has been deleted.</translation>
    </message>
    <message>
        <source>学习失败！</source>
        <translation>Learning failed.</translation>
    </message>
    <message>
        <source>请重新选择按键进行学习！</source>
        <translation>Choose a key again to learn it.</translation>
    </message>
    <message>
        <source>已接收到遥控器编码！</source>
        <translation>The remote&apos;s code has been received.</translation>
    </message>
    <message>
        <source>清空操作未全部完成：%1个按键的编码未能清空，请重新清空！</source>
        <translation>Clearing is not complete: the codes of %1 keys could not be cleared. Please clear again.</translation>
    </message>
    <message>
        <source>%1按键正在学习，要停止%1按键,请点击停止学习按钮</source>
        <translation>Key %1 is being learned. To stop learning key %1, click the Stop learning button.</translation>
    </message>
    <message>
        <source>准备学习%1按键， 请发码</source>
        <translation>Ready to learn key %1: point the remote at it and press the key.</translation>
    </message>
    <message>
        <source>%1键正在学习！</source>
        <translation>Learning key %1...</translation>
    </message>
    <message>
        <source>%1键学习成功！</source>
        <translation>Key %1 learned.</translation>
    </message>
    <message>
        <source>电视/TV</source>
        <translation>TV</translation>
    </message>
    <message>
        <source>机顶盒/CBL</source>
        <translation>set-top box (CBL)</translation>
    </message>
    <message>
        <source>影碟机/DVD</source>
        <translation>DVD</translation>
    </message>
    <message>
        <source>AMP</source>
        <translation>AMP</translation>
    </message>
    <message>
        <source>设备：%1</source>
        <translation>Area: %1</translation>
    </message>
    <message>
        <source>%1键编码已学习过，要重新学习吗?</source>
        <translation>Key %1 has been learned already. Learn it again?</translation>
    </message>
</context>
<context>
    <name>qmv::LibraryVerifier</name>
    <message>
        <source>缺少函数 %1</source>
        <translation>function %1 is missing</translation>
    </message>
    <message>
        <source>不是资源包</source>
        <translation>not a resource bundle</translation>
    </message>
    <message>
        <source>缺少图片 %1</source>
        <translation>pictures missing: %1</translation>
    </message>
    <message>
        <source>不是 GIF 动画</source>
        <translation>not a GIF animation</translation>
    </message>
    <message>
        <source>空文件</source>
        <translation>empty file</translation>
    </message>
    <message>
        <source>%1 不是本程序使用的文件</source>
        <translation>%1 is not a file this program uses</translation>
    </message>
    <message>
        <source>库文件损坏：%1</source>
        <translation>damaged library: %1</translation>
    </message>
    <message>
        <source>不是动态库</source>
        <translation>not a shared library</translation>
    </message>
    <message>
        <source>不是本系统的库：%1</source>
        <translation>not a library for this system: %1</translation>
    </message>
    <message>
        <source>没有导出表</source>
        <translation>no export table</translation>
    </message>
    <message>
        <source>不是库文件（没有 PE 或 ELF 文件头）</source>
        <translation>not a library (no PE or ELF header)</translation>
    </message>
    <message>
        <source>图片无法解码：%1</source>
        <translation>picture cannot be decoded: %1</translation>
    </message>
    <message>
        <source>文件超过 %1 字节</source>
        <translation>file larger than %1 bytes</translation>
    </message>
    <message>
        <source>资源包的结构损坏：%1</source>
        <translation>damaged resource bundle: %1</translation>
    </message>
</context>
<context>
    <name>qmv::LinkLibrary</name>
    <message>
        <source>遥控器连接库 %1 缺少函数 %2！</source>
        <translation>The remote&apos;s link library %1 lacks the function %2.</translation>
    </message>
    <message>
        <source>无法启动连接桥 %1：%2</source>
        <translation>Cannot start the link bridge %1: %2</translation>
    </message>
    <message>
        <source>连接桥 %1 没有应答。</source>
        <translation>The link bridge %1 does not answer.</translation>
    </message>
    <message>
        <source>连接桥 %1 的协议版本 %2 与本程序的版本 %3 不符。</source>
        <translation>The link bridge %1 speaks protocol version %2, this program version %3.</translation>
    </message>
    <message>
        <source>连接桥 %1 在加载库时中断。</source>
        <translation>The link bridge %1 broke off while loading the library.</translation>
    </message>
    <message>
        <source>编码转换库</source>
        <translation>code converter library</translation>
    </message>
    <message>
        <source>编码转换库 %1 缺少函数 ConvertCode！</source>
        <translation>The code converter library %1 lacks the function ConvertCode.</translation>
    </message>
    <message>
        <source>遥控器连接库</source>
        <translation>remote link library</translation>
    </message>
    <message>
        <source>找不到%1 %2（%3）：%4</source>
        <translation>Cannot find the %1 %2 (%3): %4</translation>
    </message>
    <message>
        <source>%1 是 %2 位的 Windows 库，本程序缺少它的连接桥 %3。</source>
        <translation>%1 is a %2-bit Windows library, and this program lacks its link bridge %3.</translation>
    </message>
    <message>
        <source>%1 是 %2 位的 Windows 库，要使用它需要安装 Wine（32 位的库还需要 wine32）。</source>
        <translation>%1 is a %2-bit Windows library; using it needs Wine installed (and wine32 for 32-bit libraries).</translation>
    </message>
</context>
<context>
    <name>qmv::LinkWatcher</name>
    <message>
        <source>未检测到遥控器，请重新连接遥控器！</source>
        <translation>No remote found. Please connect the remote again.</translation>
    </message>
    <message>
        <source>您需要关闭自学习软件吗！</source>
        <translation>Do you want to close the learning tool?</translation>
    </message>
</context>
<context>
    <name>qmv::MainWindow</name>
    <message>
        <source>调用图片出错！</source>
        <translation>The pictures could not be loaded.</translation>
    </message>
    <message>
        <source>你正在学习，要退出系统请先停止学习！</source>
        <translation>Learning is on: stop learning before you quit.</translation>
    </message>
    <message>
        <source>找不到帮助文件！</source>
        <translation>The help file cannot be found.</translation>
    </message>
    <message>
        <source>软件正在学习状态，要升级请退出学习状态！</source>
        <translation>Learning is on: stop learning before you update.</translation>
    </message>
    <message>
        <source>软件正在删除状态，要升级请退出删除状态！</source>
        <translation>Deleting is on: stop deleting before you update.</translation>
    </message>
    <message>
        <source>您现在是在 电视/TV 里进行自学习！</source>
        <translation>You are now learning in the TV area.</translation>
    </message>
    <message>
        <source>自学习</source>
        <translation>Learning</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>升级软件</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>关闭软件</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>你目前的显示器分辨率是%1*%2<byte value="xd"/>
为了运行该软件，你的显示器分辨率至少要1024*768</source>
        <translation>Your screen resolution is %1*%2<byte value="xd"/>
This program needs a screen resolution of at least 1024*768</translation>
    </message>
    <message>
        <source>每学会一个按键都弹出“已接收到遥控器编码！”提示</source>
        <translation>Confirm every learned key with a message box</translation>
    </message>
    <message>
        <source>最小化</source>
        <translation>Minimise</translation>
    </message>
</context>
<context>
    <name>qmv::RemoteLoader</name>
    <message>
        <source>未检测到遥控器，请检查USB连接线</source>
        <translation>No remote found. Please check the USB cable.</translation>
    </message>
</context>
<context>
    <name>qmv::SignalView</name>
    <message>
        <source>%1 个时长 · 共 %2 ms · 载波 %3 kHz</source>
        <translation>%1 durations · %2 ms in all · carrier %3 kHz</translation>
    </message>
</context>
<context>
    <name>qmv::SplashWindow</name>
    <message>
        <source>启动界面</source>
        <translation>Starting</translation>
    </message>
</context>
<context>
    <name>qmv::TransferActions</name>
    <message>
        <source>请先点击开始学习按钮！</source>
        <translation>Click the Start learning button first.</translation>
    </message>
    <message>
        <source>有按键正在学习，请等它学完再从文件学习！</source>
        <translation>A key is being learned: wait until it is done before learning from a file.</translation>
    </message>
    <message>
        <source>软件正在学习状态，请先停止学习！</source>
        <translation>Learning is on: stop learning first.</translation>
    </message>
    <message>
        <source>软件正在删除状态，请先停止删除！</source>
        <translation>Deleting is on: stop deleting first.</translation>
    </message>
    <message>
        <source>信号文件 (*.ir *.txt *.json);;所有文件 (*)</source>
        <translation>Signal files (*.ir *.txt *.json);;All files (*)</translation>
    </message>
    <message>
        <source>遥控器备份 (*.qmvbak);;所有文件 (*)</source>
        <translation>Remote backups (*.qmvbak);;All files (*)</translation>
    </message>
    <message>
        <source>导入导出</source>
        <translation>Import/Export</translation>
    </message>
    <message>
        <source>导入、导出、备份、恢复</source>
        <translation>Import, export, back up, restore</translation>
    </message>
    <message>
        <source>导入设备…</source>
        <translation>Import a device…</translation>
    </message>
    <message>
        <source>导出…</source>
        <translation>Export…</translation>
    </message>
    <message>
        <source>备份…</source>
        <translation>Back up…</translation>
    </message>
    <message>
        <source>恢复…</source>
        <translation>Restore…</translation>
    </message>
    <message>
        <source>查看信号…</source>
        <translation>Show the signal…</translation>
    </message>
    <message>
        <source>从文件学习…</source>
        <translation>Learn from a file…</translation>
    </message>
    <message>
        <source>文件无法读取，没有写入任何按键：%1</source>
        <translation>The file cannot be read; no key was written:%1</translation>
    </message>
    <message>
        <source>%1键在这个设备里没有可显示的编码</source>
        <translation>Key %1 holds no code to show in this area.</translation>
    </message>
    <message>
        <source>从文件学习</source>
        <translation>Learn from a file</translation>
    </message>
    <message>
        <source>学习失败！%1</source>
        <translation>Learning failed. %1</translation>
    </message>
    <message>
        <source>%1键学习成功！</source>
        <translation>Key %1 learned.</translation>
    </message>
    <message>
        <source>%1：写入 %2 个按键</source>
        <translation>%1: %2 keys written</translation>
    </message>
    <message>
        <source>，%1 个按键已是同样的编码</source>
        <translation>, %1 keys held the same code already</translation>
    </message>
    <message>
        <source>
写入失败的按键：%1</source>
        <translation>
Keys that could not be written:%1</translation>
    </message>
    <message>
        <source>导入设备</source>
        <translation>Import a device</translation>
    </message>
    <message>
        <source>文件里没有能对应到按键的信号，没有写入任何按键</source>
        <translation>No signal of the file matches a key; no key was written.</translation>
    </message>
    <message>
        <source>导入完成</source>
        <translation>Import done</translation>
    </message>
    <message>
        <source>无法从遥控器读出这些按键的编码，没有导出：%1</source>
        <translation>The codes of these keys cannot be read from the remote; nothing was exported:%1</translation>
    </message>
    <message>
        <source>这个设备里没有学习过的按键</source>
        <translation>This area has no learned keys.</translation>
    </message>
    <message>
        <source>导出</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>IR 信号文件 (*.ir);;Pronto Hex (*.txt);;JSON (*.json)</source>
        <translation>IR signal files (*.ir);;Pronto Hex (*.txt);;JSON (*.json)</translation>
    </message>
    <message>
        <source>无法写入文件 %1</source>
        <translation>Cannot write the file %1</translation>
    </message>
    <message>
        <source>导出完成：%1 个按键</source>
        <translation>Export done: %1 keys</translation>
    </message>
    <message>
        <source>无法从遥控器读出这些按键的编码，没有备份：%1</source>
        <translation>The codes of these keys cannot be read from the remote; no backup was made:%1</translation>
    </message>
    <message>
        <source>备份</source>
        <translation>Back up</translation>
    </message>
    <message>
        <source>备份完成：%1 个学习过的按键</source>
        <translation>Backup done: %1 learned keys</translation>
    </message>
    <message>
        <source>恢复</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>%1，没有写入任何按键</source>
        <translation>%1; no key was written</translation>
    </message>
    <message>
        <source>恢复会覆盖这些已学习的按键，要继续吗？%1</source>
        <translation>Restoring overwrites these learned keys. Go on?%1</translation>
    </message>
    <message>
        <source>恢复完成</source>
        <translation>Restore done</translation>
    </message>
    <message>
        <source>上次学习失败（%1）：%2</source>
        <translation>Last learning failed (%1): %2</translation>
    </message>
</context>
<context>
    <name>qmv::TransferDialogs</name>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>从文件学习</source>
        <translation>Learn from a file</translation>
    </message>
    <message>
        <source>选择要学习到“%1”键的信号：</source>
        <translation>Choose the signal to learn into key &quot;%1&quot;:</translation>
    </message>
    <message>
        <source>%1（第 %2 行）</source>
        <translation>%1 (line %2)</translation>
    </message>
    <message>
        <source>学习</source>
        <translation>Learn</translation>
    </message>
    <message>
        <source>导入设备</source>
        <translation>Import a device</translation>
    </message>
    <message>
        <source>以下 %1 个信号将写入 %2 的按键：</source>
        <translation>These %1 signals will be written to the keys of %2:</translation>
    </message>
    <message>
        <source>信号</source>
        <translation>Signal</translation>
    </message>
    <message>
        <source>按键</source>
        <translation>Key</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>覆盖已学习的编码</source>
        <translation>overwrites a learned code</translation>
    </message>
    <message>
        <source>导入</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>按键信号</source>
        <translation>Key&apos;s signal</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>qmv::WriterHold</name>
    <message>
        <source>另一个程序</source>
        <translation>another program</translation>
    </message>
    <message>
        <source>%1，进程号 %2</source>
        <translation>%1, process %2</translation>
    </message>
    <message>
        <source>遥控器正在被另一个程序修改（%1），请先关闭它再试。</source>
        <translation>The remote is being changed by another program (%1). Please close it and try again.</translation>
    </message>
    <message>
        <source>无法锁定遥控器以便修改：%1</source>
        <translation>Cannot lock the remote for changing it: %1</translation>
    </message>
</context>
<context>
    <name>qmv::art::Caption</name>
    <message>
        <source>请先选择设备类型，再点击“开始学习”</source>
        <translation>Choose the device area, then click “Start learning”;</translation>
    </message>
    <message>
        <source>进入学习状态后，在左面遥控器上点击要学习的按键</source>
        <translation>then click the key to learn on the remote on the left</translation>
    </message>
    <message>
        <source>两个遥控器头对头，相距 3～5 厘米</source>
        <translation>Lay the remotes head to head, 3 to 5 cm apart,</translation>
    </message>
    <message>
        <source>再按住原遥控器上对应的按键</source>
        <translation>then hold down the matching key of the original remote</translation>
    </message>
    <message>
        <source>请将原遥控器对准本遥控器发码</source>
        <translation>Point the original remote at this remote</translation>
    </message>
    <message>
        <source>按住原遥控器上对应的按键约 2 秒</source>
        <translation>and hold down the matching key for about 2 seconds</translation>
    </message>
    <message>
        <source>原遥控器</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>3～5 厘米</source>
        <translation>3–5 cm</translation>
    </message>
    <message>
        <source>DEVICE · POWER</source>
        <translation>DEVICE · POWER</translation>
    </message>
    <message>
        <source>自学习遥控器</source>
        <translation>Learning remote</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>停止删除</source>
        <translation>Stop deleting</translation>
    </message>
    <message>
        <source>清空</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>开始学习</source>
        <translation>Start learning</translation>
    </message>
    <message>
        <source>停止学习</source>
        <translation>Stop learning</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>升级软件</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>电视/TV</source>
        <translation>TV</translation>
    </message>
    <message>
        <source>机顶盒/CBL</source>
        <translation>CBL</translation>
    </message>
    <message>
        <source>影碟机/DVD</source>
        <translation>DVD</translation>
    </message>
    <message>
        <source>“%1”</source>
        <translation>&quot;%1&quot;</translation>
    </message>
    <message>
        <source>注意：</source>
        <translation>Note: </translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>请先选择设备类型（电视、机顶盒、影碟机或 AMP）；</source>
        <translation>Choose the device area (TV, CBL, DVD or AMP);</translation>
    </message>
    <message>
        <source>再点击%1按钮，进入学习状态；</source>
        <translation>click the %1 button to start learning;</translation>
    </message>
    <message>
        <source>在左面遥控器上点击要学习的按键，再用原遥控器发码；</source>
        <translation>click the key to learn on the remote on the left and send its code with the original remote;</translation>
    </message>
    <message>
        <source>学习完毕后，点击%1按钮。</source>
        <translation>when you are done, click the %1 button.</translation>
    </message>
    <message>
        <source>请先选择设备类型，再点击%1按钮，进入学习状态；</source>
        <translation>Choose the device area, then click the %1 button to start learning;</translation>
    </message>
    <message>
        <source>点击%1按钮进入删除状态，可逐个删除已学习的按键；</source>
        <translation>click the %1 button to delete learned keys one by one;</translation>
    </message>
    <message>
        <source>点击%1按钮，清除当前设备里所有已学习的编码。</source>
        <translation>click the %1 button to clear every learned code of the current area.</translation>
    </message>
    <message>
        <source>在左面的遥控器图片上点击要学习的按键；</source>
        <translation>Click the key to learn on the picture of the remote on the left;</translation>
    </message>
    <message>
        <source>按上面动画所示，用原遥控器对准本遥控器发码：&lt;br&gt;按住原遥控器上对应的按键，至少 2 秒；</source>
        <translation>point the original remote at this one as the animation above shows&lt;br&gt;and hold down the matching key for at least 2 seconds;</translation>
    </message>
    <message>
        <source>继续学习其他按键时，重复第 1、2 步；</source>
        <translation>repeat steps 1 and 2 for the other keys;</translation>
    </message>
    <message>
        <source>全部学习完毕后，点击%1按钮。</source>
        <translation>when all keys are learned, click the %1 button.</translation>
    </message>
    <message>
        <source>点击“停止学习”之前，请不要拔下 USB 连接线！</source>
        <translation>Do not pull out the USB cable before you click “Stop learning”.</translation>
    </message>
    <message>
        <source>在左面遥控器上点击要删除的已学习按键（带绿色 √）；</source>
        <translation>Click the learned key to delete (green with ✓) on the remote on the left;</translation>
    </message>
    <message>
        <source>在弹出的对话框中点击%1确认删除；</source>
        <translation>click %1 in the question that appears;</translation>
    </message>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>要删除其他按键，重复第 1、2 步；</source>
        <translation>repeat steps 1 and 2 for other keys;</translation>
    </message>
    <message>
        <source>删除完毕后，点击%1按钮。</source>
        <translation>when you are done, click the %1 button.</translation>
    </message>
    <message>
        <source>每次删除成功或失败，都会有对话框提示。</source>
        <translation>A message tells you how each deletion went.</translation>
    </message>
    <message>
        <source>准备学习%1按键， 请发码</source>
        <translation>Ready to learn key %1: point the remote at it and press the key.</translation>
    </message>
    <message>
        <source>未学习</source>
        <translation>Not learned</translation>
    </message>
    <message>
        <source>已学习</source>
        <translation>Learned</translation>
    </message>
    <message>
        <source>正在学习</source>
        <translation>Learning</translation>
    </message>
    <message>
        <source>其他编码</source>
        <translation>Other code</translation>
    </message>
    <message>
        <source>自学习软件</source>
        <translation>Learning tool</translation>
    </message>
    <message>
        <source>电视 · 机顶盒 · 影碟机 · 功放</source>
        <translation>TV · set-top box · DVD · amplifier</translation>
    </message>
    <message>
        <source>正在启动，请稍候……</source>
        <translation>Starting, please wait...</translation>
    </message>
    <message>
        <source>欢迎使用 QMV-718 学习型遥控器</source>
        <translation>Welcome to the QMV-718 learning remote</translation>
    </message>
    <message>
        <source>把电视、机顶盒、影碟机和功放原遥控器的编码逐键学下来，&lt;br&gt;从此一个遥控器就能操作全部设备。</source>
        <translation>Learn your TV, set-top box, DVD and amplifier remotes key by key,&lt;br&gt;and one remote runs all your devices.</translation>
    </message>
    <message>
        <source>4 个设备区</source>
        <translation>4 device areas</translation>
    </message>
    <message>
        <source>每区 48 个可学习按键</source>
        <translation>48 learnable keys each</translation>
    </message>
    <message>
        <source>USB 连接电脑</source>
        <translation>USB to the PC</translation>
    </message>
    <message>
        <source>遥控器型号：</source>
        <translation>Model:</translation>
    </message>
    <message>
        <source>软件版本：</source>
        <translation>Software:</translation>
    </message>
    <message>
        <source>固件版本：</source>
        <translation>Firmware:</translation>
    </message>
    <message>
        <source>设备</source>
        <translation>Area</translation>
    </message>
    <message>
        <source>学习步骤</source>
        <translation>How to learn</translation>
    </message>
    <message>
        <source>选择设备类型：电视、机顶盒、影碟机或 AMP</source>
        <translation>Choose the device area: TV, CBL, DVD or AMP</translation>
    </message>
    <message>
        <source>点击“开始学习”按钮</source>
        <translation>Click the “Start learning” button</translation>
    </message>
    <message>
        <source>点击左面遥控器上要学习的按键</source>
        <translation>Click the key to learn on the remote on the left</translation>
    </message>
    <message>
        <source>原遥控器对准本遥控器，按住对应按键约 2 秒</source>
        <translation>Point the original remote at it and hold the key for about 2 s</translation>
    </message>
    <message>
        <source>按键颜色</source>
        <translation>Key colours</translation>
    </message>
    <message>
        <source>学习时请将原遥控器的发射头对准本遥控器顶端的红外窗口，两者相距约 3～5 厘米。</source>
        <translation>While learning, point the original remote&apos;s transmitter at the infrared window at the top of this remote, about 3 to 5 cm away.</translation>
    </message>
</context>
<context>
    <name>qmv::cli</name>
    <message>
        <source>%1 不是接收器的捕获文本</source>
        <translation>%1 is not a capture text of the receiver</translation>
    </message>
    <message>
        <source>TV、CBL、DVD、AMP 或 0-3</source>
        <translation>TV, CBL, DVD, AMP or 0-3</translation>
    </message>
    <message>
        <source>学习一个按键：遥控器接收一个编码并保存它</source>
        <translation>Learn one key: the remote receives a code and stores it</translation>
    </message>
    <message>
        <source>设备</source>
        <translation>device area</translation>
    </message>
    <message>
        <source>按键代码（如 12）或名称（如 VOL+）</source>
        <translation>key code (e.g. 12) or label (e.g. VOL+)</translation>
    </message>
    <message>
        <source>以微秒计的时长，先为发射，第一行可以是“carrier HZ”</source>
        <translation>durations in µs, mark first, optional first line &apos;carrier HZ&apos;</translation>
    </message>
    <message>
        <source>接收器给出的捕获文本</source>
        <translation>a capture text as the receiver gives it</translation>
    </message>
    <message>
        <source>显示遥控器为一个学习过的按键发送什么</source>
        <translation>Show what the remote sends for a learned key</translation>
    </message>
    <message>
        <source>按键代码或名称</source>
        <translation>key code or label</translation>
    </message>
    <message>
        <source>us（时长）或 pronto</source>
        <translation>us (durations) or pronto</translation>
    </message>
    <message>
        <source>没有这个按键：%1</source>
        <translation>no such key: %1</translation>
    </message>
    <message>
        <source>电源键用于选择设备，不能学习</source>
        <translation>the power keys select the device area and cannot be learned</translation>
    </message>
    <message>
        <source>请在 6 秒内将原遥控器对准学习遥控器，按下要学习的按键……</source>
        <translation>Within 6 seconds, point the original remote at the learning remote and press the key to learn...</translation>
    </message>
    <message>
        <source>学习失败！%1</source>
        <translation>Learning failed: %1</translation>
    </message>
    <message>
        <source>%1键学习成功！ (%2 %3: %4)</source>
        <translation>Key %1 learned. (%2 %3: %4)</translation>
    </message>
    <message>
        <source>该按键在 %1 里没有可发送的编码</source>
        <translation>the key holds no code to send in %1</translation>
    </message>
    <message>
        <source>显示这个帮助并退出</source>
        <translation>Print this help message and exit</translation>
    </message>
    <message>
        <source>选项</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>命令</source>
        <translation>Subcommands</translation>
    </message>
    <message>
        <source>用法</source>
        <translation>Usage</translation>
    </message>
    <message>
        <source>参数</source>
        <translation>Positionals</translation>
    </message>
    <message>
        <source>必填</source>
        <translation>REQUIRED</translation>
    </message>
    <message>
        <source>不能与之同用</source>
        <translation>Excludes</translation>
    </message>
    <message>
        <source>需要</source>
        <translation>Needs</translation>
    </message>
    <message>
        <source>删除一个设备中一个按键学习过的编码</source>
        <translation>Delete the learned code of one key in one device area</translation>
    </message>
    <message>
        <source>按键的代码（“26”）或名称（“CH+”）</source>
        <translation>the key&apos;s code (&quot;26&quot;) or label (&quot;CH+&quot;)</translation>
    </message>
    <message>
        <source>不是键盘上的普通按键：%1</source>
        <translation>not a plain key of the keypad: %1</translation>
    </message>
    <message>
        <source>没有这个设备：%1</source>
        <translation>unknown area: %1</translation>
    </message>
    <message>
        <source>已删除：%2 中的 %1</source>
        <translation>deleted: %1 in %2</translation>
    </message>
    <message>
        <source>清空一个设备中所有学习过的按键</source>
        <translation>Clear every learned key of one device area</translation>
    </message>
    <message>
        <source>对确认的问题回答“是”</source>
        <translation>answer Yes to the confirmation</translation>
    </message>
    <message>
        <source>没有清空：请用 --yes 确认</source>
        <translation>nothing cleared: confirm with --yes</translation>
    </message>
    <message>
        <source>已清空：%1 中没有学习过的按键了</source>
        <translation>clear: %1 holds no learned key</translation>
    </message>
    <message>
        <source>QMV-718 自学习软件，命令行</source>
        <translation>QMV-718 learning tool, command line</translation>
    </message>
    <message>
        <source>提示和帮助的语言：zh 或 en（默认随系统的语言；也可用 QMV718_LANG 设定）</source>
        <translation>language of the messages and the help: zh or en (default: the system&apos;s language; QMV718_LANG sets it too)</translation>
    </message>
    <message>
        <source>选项</source>
        <comment>usage line</comment>
        <translation>OPTIONS</translation>
    </message>
    <message>
        <source>命令</source>
        <comment>usage line</comment>
        <translation>SUBCOMMAND</translation>
    </message>
    <message>
        <source>信号文件（.ir、Pronto Hex、时长列表）：不需要接收器</source>
        <translation>a signal file (.ir, Pronto Hex, timing list): no receiver needed</translation>
    </message>
    <message>
        <source>要学习的文件中信号的名称</source>
        <translation>the signal of the file to learn, by name</translation>
    </message>
    <message>
        <source>识别遥控器，并显示每个设备中每个按键保存的内容</source>
        <translation>Identify the remote and show what each key of each area holds</translation>
    </message>
    <message>
        <source>以 JSON 输出</source>
        <translation>print JSON</translation>
    </message>
    <message>
        <source>检查记录、编码索引表、位图和按键状态是否一致</source>
        <translation>Verify that records, slot table, bitmap and key states agree</translation>
    </message>
    <message>
        <source>文件无法导入，没有写入任何按键</source>
        <translation>The file cannot be imported; no key was written</translation>
    </message>
    <message>
        <source>这些按键已学习过，会被覆盖：</source>
        <translation>These keys are learned and would be overwritten:</translation>
    </message>
    <message>
        <source>没有写入任何按键：确认覆盖请加 --yes</source>
        <translation>No key was written: add --yes to overwrite them</translation>
    </message>
    <message>
        <source>写入失败的按键：</source>
        <translation>Keys that could not be written:</translation>
    </message>
    <message>
        <source>无法写入文件 %1</source>
        <translation>Cannot write the file %1</translation>
    </message>
    <message>
        <source>从信号文件学习整个设备：按信号名称对应到按键（Power、VOL+、Vol_up、Ch_next、0-9、menu、ok 等）</source>
        <translation>Learn a whole device from a signal file: signal names are mapped to keys (Power, VOL+, Vol_up, Ch_next, 0-9, menu, ok, ...)</translation>
    </message>
    <message>
        <source>.ir、Pronto Hex、时长列表或导出的 JSON</source>
        <translation>.ir, Pronto Hex, timing list or exported JSON</translation>
    </message>
    <message>
        <source>覆盖已学习过的按键</source>
        <translation>overwrite keys that are already learned</translation>
    </message>
    <message>
        <source>写出一个设备中学习过的按键</source>
        <translation>Write the learned keys of an area</translation>
    </message>
    <message>
        <source>ir、pronto 或 json</source>
        <translation>ir, pronto or json</translation>
    </message>
    <message>
        <source>文件（不给出时写到标准输出）</source>
        <translation>file (standard output when left out)</translation>
    </message>
    <message>
        <source>保存遥控器学习过的全部内容，包括所有设备</source>
        <translation>Save everything the remote has learned, all areas</translation>
    </message>
    <message>
        <source>备份文件</source>
        <translation>backup file</translation>
    </message>
    <message>
        <source>把备份恢复到这个或另一个 QMV-718 上</source>
        <translation>Put a backup back on this or another QMV-718</translation>
    </message>
    <message>
        <source>文件里没有能对应到按键的信号，没有写入任何按键</source>
        <translation>No signal of the file matches a key; no key was written.</translation>
    </message>
    <message>
        <source>无法从遥控器读出这些按键的编码：</source>
        <translation>The codes of these keys cannot be read from the remote:</translation>
    </message>
    <message>
        <source>没有导出</source>
        <translation>Nothing was exported</translation>
    </message>
    <message>
        <source>备份不完整，没有写入备份文件</source>
        <translation>The backup would be incomplete; no backup file was written</translation>
    </message>
    <message>
        <source>%1，没有写入任何按键</source>
        <translation>%1; no key was written</translation>
    </message>
    <message>
        <source>%1键学习成功！（来自 %2）</source>
        <translation>Key %1 learned (from %2).</translation>
    </message>
    <message>
        <source>程序所在的文件夹（默认为 qmv718-cli 所在的文件夹）</source>
        <translation>The program&apos;s folder (default: the folder of qmv718-cli)</translation>
    </message>
    <message>
        <source>从升级服务器升级程序的库</source>
        <translation>Update the program&apos;s libraries from the update host</translation>
    </message>
    <message>
        <source>列出比升级列表中旧的已安装的库</source>
        <translation>List the installed libraries older than the update list&apos;s</translation>
    </message>
    <message>
        <source>使用的服务器（默认为列表中的第一个）</source>
        <translation>The server to take (default: the list&apos;s first)</translation>
    </message>
    <message>
        <source>下载、检查并安装较新的库</source>
        <translation>Download, check and install the newer libraries</translation>
    </message>
    <message>
        <source>下载用的服务器（默认为列表中的第一个）</source>
        <translation>The server to download from (default: the list&apos;s first)</translation>
    </message>
    <message>
        <source>恢复一个库（或每个有备份的库）的上一个完好版本</source>
        <translation>Put back the last good copy of a library, or of every library that has one</translation>
    </message>
    <message>
        <source>库的名称，例如 velquon（默认为全部）</source>
        <translation>The library, e.g. velquon (default: all)</translation>
    </message>
    <message>
        <source>学习失败！无法写入遥控器的状态（%1）</source>
        <translation>Learning failed! The remote&apos;s state (%1) cannot be written</translation>
    </message>
    <message>
        <source>写入遥控器失败，修复没有完成；再运行一次 check --repair 即可从中断处继续</source>
        <translation>Writing to the remote failed and the repair is not complete; run check --repair again to go on from where it stopped</translation>
    </message>
    <message>
        <source>修复互相矛盾的表：释放没有按键使用的编码索引，恢复或清除指向未占用编码索引的按键，重建位图</source>
        <translation>mend tables that disagree: free the slots no key names, restore or clear the keys that name a free slot, rebuild the bitmap</translation>
    </message>
</context>
<context>
    <name>qmv::image</name>
    <message>
        <source>设备区数为 %1，应为 %2</source>
        <translation>there are %1 areas instead of %2</translation>
    </message>
    <message>
        <source>文件头</source>
        <translation>the header</translation>
    </message>
    <message>
        <source>按键记录</source>
        <translation>the key records</translation>
    </message>
    <message>
        <source>已知编码表</source>
        <translation>the known-code table</translation>
    </message>
    <message>
        <source>索引区</source>
        <translation>the index area</translation>
    </message>
    <message>
        <source>编码数据区</source>
        <translation>the code data area</translation>
    </message>
    <message>
        <source>%1超出存储范围</source>
        <translation>%1 lies beyond the memory</translation>
    </message>
    <message>
        <source>%1与%2重叠</source>
        <translation>%1 overlaps %2</translation>
    </message>
    <message>
        <source>识别信息块</source>
        <translation>the identity block</translation>
    </message>
    <message>
        <source>存储区指针块</source>
        <translation>the memory pointer block</translation>
    </message>
    <message>
        <source>自学习软件不支持改遥控器，请到%1网站下载最新的该款自学习软件！</source>
        <translation>This learning tool does not support this remote. Please download the latest learning tool for it from %1.</translation>
    </message>
    <message>
        <source>自学习软件版本比较低，请到%1下载最新的该款自学习软件！</source>
        <translation>This learning tool is too old. Please download the latest learning tool for this remote from %1.</translation>
    </message>
    <message>
        <source>遥控器固件程序版本比较低，请到%1网站下载最新的固件程序版本！</source>
        <translation>The remote&apos;s firmware is too old. Please download the latest firmware from %1.</translation>
    </message>
    <message>
        <source>遥控器固件程序版本比较低，请到%1下载最新的固件程序版本！</source>
        <translation>The remote&apos;s firmware is too old. Please download the latest firmware from %1.</translation>
    </message>
    <message>
        <source>遥控器固件版本比较低，请到%1下载最新的固件程序版本！</source>
        <translation>The remote&apos;s firmware is too old. Please download the latest firmware from %1.</translation>
    </message>
    <message>
        <source>遥控器内存数据有误（%1），无法读取按键信息！请重新连接遥控器后再试。</source>
        <translation>The remote&apos;s memory is faulty (%1), so its keys cannot be read. Please reconnect the remote and try again.</translation>
    </message>
    <message>
        <source>固件版本号不是十六进制数</source>
        <translation>the firmware version is not a hexadecimal number</translation>
    </message>
    <message>
        <source>存储区指针无法识别</source>
        <translation>the memory pointers cannot be read</translation>
    </message>
    <message>
        <source>文件头超出存储范围</source>
        <translation>the header lies beyond the memory</translation>
    </message>
    <message>
        <source>无法读取文件头</source>
        <translation>the header cannot be read</translation>
    </message>
    <message>
        <source>计数为零</source>
        <translation>a count is zero</translation>
    </message>
    <message>
        <source>按键记录数少于按键数乘以设备数</source>
        <translation>there are fewer key records than keys times areas</translation>
    </message>
    <message>
        <source>索引区过大</source>
        <translation>the index area is too large</translation>
    </message>
    <message>
        <source>无法读取按键码表</source>
        <translation>the key code table cannot be read</translation>
    </message>
    <message>
        <source>按键记录超出存储范围</source>
        <translation>the key records lie beyond the memory</translation>
    </message>
    <message>
        <source>无法读取按键记录</source>
        <translation>the key records cannot be read</translation>
    </message>
    <message>
        <source>无法读取存储位图</source>
        <translation>the memory bitmap cannot be read</translation>
    </message>
    <message>
        <source>无法读取编码索引</source>
        <translation>the slot table cannot be read</translation>
    </message>
    <message>
        <source>无法读取已知编码表</source>
        <translation>the known-code table cannot be read</translation>
    </message>
    <message>
        <source>遥控器的编码索引已满，无法保存新的编码</source>
        <translation>the remote&apos;s slot table is full, so no new code can be stored</translation>
    </message>
    <message>
        <source>遥控器的编码存储区空间不足</source>
        <translation>the remote&apos;s code memory has too little room</translation>
    </message>
    <message>
        <source>转换后的编码无法保存</source>
        <translation>the converted code cannot be stored</translation>
    </message>
    <message>
        <source>写入遥控器失败</source>
        <translation>writing to the remote failed</translation>
    </message>
    <message>
        <source>编码索引 %1 超出了编码数据区，可用 qmv718-cli check --repair 修复</source>
        <translation>slot %1 lies beyond the code data area; qmv718-cli check --repair mends it</translation>
    </message>
    <message>
        <source>遥控器的按键记录、编码索引表和存储位图有 %1 处互相矛盾，为免写坏按键，没有写入任何内容。请先用 qmv718-cli check --repair 修复（qmv718-cli check 列出矛盾之处）。</source>
        <translation>The remote&apos;s key records, slot table and bitmap disagree in %1 places; nothing was written, so that no key is damaged. Mend them first with qmv718-cli check --repair (qmv718-cli check lists where they disagree).</translation>
    </message>
    <message>
        <source>无法读出遥控器的识别信息，没有写入任何内容。请检查USB连接线后再试。</source>
        <translation>The remote&apos;s identity could not be read; nothing was written. Check the USB cable and try again.</translation>
    </message>
    <message>
        <source>连接的遥控器已换成另一个（识别信息与读出按键表时不同），没有写入任何内容。请重新打开程序或重新运行命令后再试。</source>
        <translation>The remote attached has been replaced by another one (its identity differs from when its tables were read); nothing was written. Open the program again, or run the command again, and retry.</translation>
    </message>
</context>
<context>
    <name>qmv::platform</name>
    <message>
        <source>大于 %1 字节</source>
        <translation>larger than %1 bytes</translation>
    </message>
    <message>
        <source>无法打开</source>
        <translation>cannot open it</translation>
    </message>
    <message>
        <source>不是普通文件</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>无法读取</source>
        <translation>cannot read it</translation>
    </message>
    <message>
        <source>属于另一个用户</source>
        <translation>belongs to another user</translation>
    </message>
    <message>
        <source>无法创建文件夹 %1（%2）</source>
        <translation>Cannot create the folder %1 (%2)</translation>
    </message>
    <message>
        <source>无法检查 %1（%2）</source>
        <translation>Cannot check %1 (%2)</translation>
    </message>
    <message>
        <source>无法打开 %1（%2）</source>
        <translation>Cannot open %1 (%2)</translation>
    </message>
    <message>
        <source>%1 是一个符号链接</source>
        <translation>%1 is a symbolic link</translation>
    </message>
    <message>
        <source>%1 不是文件夹</source>
        <translation>%1 is not a folder</translation>
    </message>
    <message>
        <source>%1 不是普通文件</source>
        <translation>%1 is not a regular file</translation>
    </message>
    <message>
        <source>%1 属于另一个用户（用户号 %2）</source>
        <translation>%1 belongs to another user (user id %2)</translation>
    </message>
    <message>
        <source>文件夹 %1 的权限是 %2，其他用户也能进入；它只能对你一人开放（700）</source>
        <translation>the folder %1 has the permissions %2, so other users can enter it; it must be open to you alone (700)</translation>
    </message>
</context>
<context>
    <name>qmv::remote</name>
    <message>
        <source>第 %1 行的数值 &quot;%2&quot; %3</source>
        <translation>line %1: the value &quot;%2&quot; %3</translation>
    </message>
    <message>
        <source>不是有效的载波频率（10000 至 500000 Hz）</source>
        <translation>is not a valid carrier frequency (10000 to 500000 Hz)</translation>
    </message>
    <message>
        <source>不是正整数</source>
        <translation>is not a positive whole number</translation>
    </message>
    <message>
        <source>超过了接收器能记录的最长载波时间</source>
        <translation>is longer than the longest mark the receiver can record</translation>
    </message>
    <message>
        <source>超过了接收器能记录的最长间隔</source>
        <translation>is longer than the longest space the receiver can record</translation>
    </message>
    <message>
        <source>处信号过长，超出了接收器的记录容量</source>
        <translation>makes the signal too long for the receiver&apos;s memory</translation>
    </message>
    <message>
        <source>文件中没有任何时长数据</source>
        <translation>the file holds no durations</translation>
    </message>
    <message>
        <source>无法读取文件 %1（%2）</source>
        <translation>cannot read the file %1 (%2)</translation>
    </message>
</context>
<context>
    <name>qmv::transfer</name>
    <message>
        <source>不是本工具的备份文件</source>
        <translation>not a backup file of this tool</translation>
    </message>
    <message>
        <source>备份文件已损坏（校验和不符）</source>
        <translation>the backup file is damaged (the checksum does not match)</translation>
    </message>
    <message>
        <source>不支持这个版本的备份文件</source>
        <translation>this version of backup file is not supported</translation>
    </message>
    <message>
        <source>备份文件里没有按键列表</source>
        <translation>the backup file holds no key list</translation>
    </message>
    <message>
        <source>备份来自另一种型号的遥控器（%1）</source>
        <translation>the backup comes from another model of remote (%1)</translation>
    </message>
    <message>
        <source>备份里的按键“%1 %2”无效</source>
        <translation>the key &quot;%1 %2&quot; of the backup is not valid</translation>
    </message>
    <message>
        <source>没有这个设备区：%1</source>
        <translation>no such area: %1</translation>
    </message>
    <message>
        <source>%1（%2）：%3，没有写入任何按键</source>
        <translation>%1 (%2): %3; no key was written</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>文件无法读取</source>
        <translation>the file cannot be read</translation>
    </message>
    <message>
        <source>文件里没有名为“%1”的信号</source>
        <translation>the file holds no signal named &quot;%1&quot;</translation>
    </message>
    <message>
        <source>文件里有 %1 个信号，请选择一个：%2</source>
        <translation>the file holds %1 signals, choose one: %2</translation>
    </message>
    <message>
        <source>没有对应按键的信号：%1</source>
        <translation>Signals without a key: %1</translation>
    </message>
    <message>
        <source>按键已被前面的信号占用：%1</source>
        <translation>Keys taken by an earlier signal: %1</translation>
    </message>
    <message>
        <source>没有信号的按键：%1</source>
        <translation>Keys without a signal: %1</translation>
    </message>
    <message>
        <source>信号太多（最多 %1 个）</source>
        <translation>too many signals (at most %1)</translation>
    </message>
    <message>
        <source>文件里没有信号</source>
        <translation>the file holds no signal</translation>
    </message>
    <message>
        <source>文件里没有可用的信号</source>
        <translation>the file holds no usable signal</translation>
    </message>
    <message>
        <source>没有时长</source>
        <translation>no durations</translation>
    </message>
    <message>
        <source>信号太长，遥控器存不下（%1 个时长，最多 %2 个）</source>
        <translation>the signal is too long for the remote (%1 durations, at most %2)</translation>
    </message>
    <message>
        <source>时长不能为 0</source>
        <translation>a duration cannot be 0</translation>
    </message>
    <message>
        <source>载波时长 %1 µs 超出范围（最长 %2 µs）</source>
        <translation>the mark of %1 µs is out of range (at most %2 µs)</translation>
    </message>
    <message>
        <source>间隔 %1 µs 超出范围（最长 %2 µs）</source>
        <translation>the space of %1 µs is out of range (at most %2 µs)</translation>
    </message>
    <message>
        <source>载波频率 %1 Hz 超出范围（%2 至 %3 Hz）</source>
        <translation>the carrier of %1 Hz is out of range (%2 to %3 Hz)</translation>
    </message>
    <message>
        <source>“%1”不是以微秒计的时长</source>
        <translation>&quot;%1&quot; is not a duration in microseconds</translation>
    </message>
    <message>
        <source>%1：编码“%2”无效</source>
        <translation>%1: the code &quot;%2&quot; is not valid</translation>
    </message>
    <message>
        <source>%1：缺少“%2:”</source>
        <translation>%1: &quot;%2:&quot; is missing</translation>
    </message>
    <message>
        <source>%1：地址“%2”不是十六进制字节</source>
        <translation>%1: the address &quot;%2&quot; is not hexadecimal bytes</translation>
    </message>
    <message>
        <source>%1：命令“%2”不是十六进制字节</source>
        <translation>%1: the command &quot;%2&quot; is not hexadecimal bytes</translation>
    </message>
    <message>
        <source>%1：频率“%2”不是数字</source>
        <translation>%1: the frequency &quot;%2&quot; is not a number</translation>
    </message>
    <message>
        <source>%1：未知的信号类型“%2”</source>
        <translation>%1: unknown signal type &quot;%2&quot;</translation>
    </message>
    <message>
        <source>不是“键: 值”的行：%1</source>
        <translation>not a &quot;key: value&quot; line: %1</translation>
    </message>
    <message>
        <source>“%1:”重复出现</source>
        <translation>&quot;%1:&quot; appears twice</translation>
    </message>
    <message>
        <source>“%1”不是四位十六进制数</source>
        <translation>&quot;%1&quot; is not a four-digit hexadecimal number</translation>
    </message>
    <message>
        <source>Pronto 代码至少要有 4 个字，这里只有 %1 个</source>
        <translation>a Pronto code has at least 4 words, this one has %1</translation>
    </message>
    <message>
        <source>不支持的 Pronto 格式 %1（只支持学习码 0000）</source>
        <translation>Pronto format %1 is not supported (only learned codes, 0000)</translation>
    </message>
    <message>
        <source>Pronto 字数不对：头部说 %1 个字，实际 %2 个</source>
        <translation>wrong Pronto length: the header says %1 words, there are %2</translation>
    </message>
    <message>
        <source>Pronto 频率字不能为 0</source>
        <translation>the Pronto frequency word cannot be 0</translation>
    </message>
    <message>
        <source>信号%1</source>
        <translation>Signal %1</translation>
    </message>
    <message>
        <source>“carrier”后面要跟以 Hz 计的频率</source>
        <translation>&quot;carrier&quot; must be followed by a frequency in Hz</translation>
    </message>
    <message>
        <source>不是有效的 JSON 文件</source>
        <translation>not a valid JSON file</translation>
    </message>
    <message>
        <source>不是本工具导出的 JSON 文件</source>
        <translation>not a JSON file exported by this tool</translation>
    </message>
    <message>
        <source>第 %1 个按键的编码不完整或不是有效的编码</source>
        <translation>the code of key number %1 is incomplete or not valid</translation>
    </message>
    <message>
        <source>文件太大（最多 %1 KB）</source>
        <translation>the file is too large (at most %1 KB)</translation>
    </message>
    <message>
        <source>无法读取文件 %1（%2）</source>
        <translation>cannot read the file %1 (%2)</translation>
    </message>
    <message>
        <source>第 %1 行：%2</source>
        <translation>line %1: %2</translation>
    </message>
    <message>
        <source>未知的协议“%1”</source>
        <translation>unknown protocol &quot;%1&quot;</translation>
    </message>
    <message>
        <source>地址 %1 / 命令 %2 超出了 %3 协议的范围</source>
        <translation>address %1 / command %2 are out of range for the %3 protocol</translation>
    </message>
    <message>
        <source>遥控器无法保存这个信号（时长太多或无法转换）</source>
        <translation>the remote cannot store this signal (too many durations, or it cannot be converted)</translation>
    </message>
    <message>
        <source>没有编码</source>
        <translation>no code</translation>
    </message>
    <message>
        <source>编码无法读取</source>
        <translation>the code cannot be read</translation>
    </message>
    <message>
        <source>已学习的编码</source>
        <translation>learned code</translation>
    </message>
    <message>
        <source>来自遥控器本身的编码</source>
        <translation>the remote&apos;s own code</translation>
    </message>
    <message>
        <source>%1，%2 个时长，共 %3 ms</source>
        <translation>%1, %2 durations, %3 ms in all</translation>
    </message>
    <message>
        <source>脉冲形式</source>
        <translation>pulse form</translation>
    </message>
    <message>
        <source>原始形式</source>
        <translation>raw form</translation>
    </message>
    <message>
        <source>其他形式</source>
        <translation>other form</translation>
    </message>
    <message>
        <source>载波 %1 kHz</source>
        <translation>carrier %1 kHz</translation>
    </message>
    <message>
        <source>，编码槽 %1：%2</source>
        <translation>, slot %1: %2</translation>
    </message>
    <message>
        <source>占用 %1 字节（记录 %2%3）</source>
        <translation>takes %1 bytes (record %2%3)</translation>
    </message>
    <message>
        <source>编码槽由此键独用</source>
        <translation>the slot is used by this key alone</translation>
    </message>
    <message>
        <source>另有 %1 个键共用此编码槽</source>
        <translation>%1 more keys share this slot</translation>
    </message>
    <message>
        <source>JSON 嵌套太深（最多 %1 层）</source>
        <translation>JSON nested too deep (at most %1 levels)</translation>
    </message>
    <message>
        <source>有空的字段（逗号之间没有值）</source>
        <translation>an empty field (nothing between commas)</translation>
    </message>
    <message>
        <source>“%1:”后面是空的</source>
        <translation>nothing follows “%1:”</translation>
    </message>
    <message>
        <source>信号名称是空的</source>
        <translation>the signal&apos;s name is empty</translation>
    </message>
    <message>
        <source>载波时长 %1 µs 超出了接收器能记录的范围（最长 %2 µs）</source>
        <translation>the mark of %1 µs is longer than the receiver can record (at most %2 µs)</translation>
    </message>
    <message>
        <source>间隔 %1 µs 超出了接收器能记录的范围（最长 %2 µs）</source>
        <translation>the space of %1 µs is longer than the receiver can record (at most %2 µs)</translation>
    </message>
    <message>
        <source>信号太长，接收器的记录在第 %1 个时长处已满</source>
        <translation>the signal is too long: the receiver&apos;s record is full at duration %1</translation>
    </message>
    <message>
        <source>间隔 %1 µs 短于接收器能分辨的最短间隔（%2 µs）</source>
        <translation>the space of %1 µs is shorter than the receiver can tell (at least %2 µs)</translation>
    </message>
</context>
<context>
    <name>qmv::updatetext</name>
    <message>
        <source>升级</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>正在连接服务器！</source>
        <translation>Connecting to the server...</translation>
    </message>
    <message>
        <source>连接服务器成功！</source>
        <translation>Connected to the server.</translation>
    </message>
    <message>
        <source>连接服务器失败！</source>
        <translation>Could not connect to the server.</translation>
    </message>
    <message>
        <source>获得升级配置文件出错！</source>
        <translation>The update list could not be fetched.</translation>
    </message>
    <message>
        <source>需要重新启动程序，升级才能完成！</source>
        <translation>Restart the program to complete the update.</translation>
    </message>
    <message>
        <source>软件名称</source>
        <translation>Library</translation>
    </message>
    <message>
        <source>状态</source>
        <translation>State</translation>
    </message>
    <message>
        <source>未升级</source>
        <translation>not updated</translation>
    </message>
    <message>
        <source>升级成功</source>
        <translation>updated</translation>
    </message>
    <message>
        <source>升级失败</source>
        <translation>update failed</translation>
    </message>
    <message>
        <source>选择服务器</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>下一步</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>升级进度</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>中断</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>完成</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>升级配置文件中没有服务器！</source>
        <translation>The update list names no server.</translation>
    </message>
    <message>
        <source>升级配置文件中 %1 的日期时间无法识别：%2</source>
        <translation>The update list&apos;s date and time of %1 cannot be read: %2</translation>
    </message>
    <message>
        <source>升级配置文件中 %1 的文件大小不是整数：%2</source>
        <translation>The update list&apos;s file size of %1 is not a whole number: %2</translation>
    </message>
    <message>
        <source>服务器上没有此文件</source>
        <translation>the server does not have the file</translation>
    </message>
    <message>
        <source>服务器出错</source>
        <translation>server error</translation>
    </message>
    <message>
        <source>无法连接服务器</source>
        <translation>cannot reach the server</translation>
    </message>
    <message>
        <source>超时</source>
        <translation>timed out</translation>
    </message>
    <message>
        <source>地址不是 http 或 https</source>
        <translation>the address is not http or https</translation>
    </message>
    <message>
        <source>文件大小不符</source>
        <translation>wrong file size</translation>
    </message>
    <message>
        <source>文件内容不对</source>
        <translation>wrong file content</translation>
    </message>
    <message>
        <source>SHA-256 校验值不符</source>
        <translation>the SHA-256 checksum does not match</translation>
    </message>
    <message>
        <source>无法写入</source>
        <translation>cannot write</translation>
    </message>
    <message>
        <source>文件名不允许</source>
        <translation>file name not allowed</translation>
    </message>
    <message>
        <source>已中断</source>
        <translation>stopped</translation>
    </message>
    <message>
        <source>%1 秒内未能连接 %2</source>
        <translation>could not connect to %2 within %1 seconds</translation>
    </message>
    <message>
        <source>%1 秒内未收到数据</source>
        <translation>no data within %1 seconds</translation>
    </message>
    <message>
        <source>传输超过 %1 秒</source>
        <translation>the transfer took longer than %1 seconds</translation>
    </message>
    <message>
        <source>升级配置文件中的大小为 0</source>
        <translation>the update list gives the size 0</translation>
    </message>
    <message>
        <source>应为 %1 字节，收到 %2 字节</source>
        <translation>%1 bytes expected, %2 received</translation>
    </message>
    <message>
        <source>超过 %1 字节</source>
        <translation>more than %1 bytes</translation>
    </message>
    <message>
        <source>转向超过 %1 次</source>
        <translation>more than %1 redirects</translation>
    </message>
    <message>
        <source>已保存为 %1</source>
        <translation>kept as %1</translation>
    </message>
    <message>
        <source>无法写入 %1，升级无法进行（程序可能是为整个系统安装的）。
请通过系统的软件包管理器升级本软件，或以有写入权限的用户运行升级。</source>
        <translation>Cannot write to %1, so the update cannot go on (the program may be installed for the whole system).
Please update it through the system&apos;s package manager, or run the update as a user who may write there.</translation>
    </message>
    <message>
        <source>恢复上一版本</source>
        <translation>Put back the previous version</translation>
    </message>
    <message>
        <source>没有可恢复的上一版本。</source>
        <translation>There is no previous version to put back.</translation>
    </message>
    <message>
        <source>%1 已恢复为上一版本。</source>
        <translation>%1 has been put back to the previous version.</translation>
    </message>
    <message>
        <source>%1 恢复失败：%2</source>
        <translation>%1 could not be put back: %2</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1；%2</source>
        <translation>%1; %2</translation>
    </message>
    <message>
        <source>磁盘空间不足</source>
        <translation>not enough disk space</translation>
    </message>
    <message>
        <source>没有可恢复的备份</source>
        <translation>no backup to restore</translation>
    </message>
    <message>
        <source>升级配置文件中的大小 %1 超过此文件的上限 %2 字节</source>
        <translation>the size %1 in the update list is above this file&apos;s limit of %2 bytes</translation>
    </message>
    <message>
        <source>需要 %1 字节，%2 只有 %3 字节可用</source>
        <translation>%1 bytes needed, only %3 bytes free in %2</translation>
    </message>
    <message>
        <source>%1 不是本程序使用的文件</source>
        <translation>%1 is not a file this program uses</translation>
    </message>
</context>
</TS>
