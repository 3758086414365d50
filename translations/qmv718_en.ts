<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
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
        <translation>Fav</translation>
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
        <translation>Rec</translation>
    </message>
    <message>
        <source>快退</source>
        <translation>Rew</translation>
    </message>
    <message>
        <source>快进</source>
        <translation>FF</translation>
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
        <source>%1键编码已学习过，要重新学习吗?</source>
        <translation>Key %1 has already been learned. Learn it again?</translation>
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
</context>
<context>
    <name>qmv::LinkLibrary</name>
    <message>
        <source>找不到遥控器连接库 %1（%2）：%3</source>
        <translation>The remote&apos;s link library %1 cannot be found (%2): %3</translation>
    </message>
    <message>
        <source>遥控器连接库 %1 缺少函数 %2！</source>
        <translation>The remote&apos;s link library %1 lacks the function %2.</translation>
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
</context>
<context>
    <name>qmv::RemoteLoader</name>
    <message>
        <source>未检测到遥控器，请检查USB连接线</source>
        <translation>No remote found. Please check the USB cable.</translation>
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
        <translation>“%1”</translation>
    </message>
    <message>
        <source>注意：</source>
        <translation>Note: </translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Tips</translation>
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
        <translation>Do not pull out the USB cable before you click “Stop learning”!</translation>
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
        <source>准备学习5按键， 请发码</source>
        <translation>Ready to learn key 5: point the remote at it and press the key.</translation>
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
        <translation>Learn the codes of your TV, set-top box, DVD and amplifier remotes key by key,&lt;br&gt;and one remote operates all your devices.</translation>
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
        <translation>USB to the computer</translation>
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
        <source>遥控器的编码索引已满，无法保存新的编码</source>
        <translation>the remote&apos;s code index is full, so no new code can be stored</translation>
    </message>
    <message>
        <source>遥控器的编码存储区空间不足</source>
        <translation>the remote&apos;s code memory has too little room left</translation>
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
        <source>学习失败！没有接收到遥控器编码</source>
        <translation>Learning failed: no code was received from the remote</translation>
    </message>
    <message>
        <source>学习失败！编码无法转换</source>
        <translation>Learning failed: the code cannot be converted</translation>
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
    <name>qmv::updatetext</name>
    <message>
        <source>升级</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
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
</context>
</TS>
